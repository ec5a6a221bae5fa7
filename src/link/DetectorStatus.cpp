// Storing and reading whole words of the status record.
#include "link/DetectorStatus.h"

namespace detlink {

void DetectorStatus::Store(TelemetryWord word) {
    switch (KindOf(word)) {
    case 0:
        w0 = AsView<PositionWord>(word);
        break;
    case 1:
        w1 = AsView<SignalWord>(word);
        break;
    case 2:
        w2 = AsView<StateWord>(word);
        break;
    case 3:
        w3 = AsView<ThresholdWord>(word);
        break;
    case 4:
        w4 = AsView<SetupWord>(word);
        break;
    case 5:
        w5 = AsView<SpeedWord>(word);
        break;
    case 6:
        w6 = AsView<IdentityWord>(word);
        break;
    default:
        w7 = AsView<SupplyWord>(word);
        break;
    }
}

TelemetryWord DetectorStatus::Word(int kind) const {
    switch (kind & 7) {
    case 0:
        return AsWord(w0);
    case 1:
        return AsWord(w1);
    case 2:
        return AsWord(w2);
    case 3:
        return AsWord(w3);
    case 4:
        return AsWord(w4);
    case 5:
        return AsWord(w5);
    case 6:
        return AsWord(w6);
    default:
        return AsWord(w7);
    }
}

} // namespace detlink
