// Reading a summary's lines by what each starts with.
#include "records/SummaryText.h"

#include "link/RecordingEvents.h"
#include "records/RecordNames.h"

#include <algorithm>

namespace records {

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(std::move(line));
        }
        start = end + 1;
    }
    return lines;
}

} // namespace

std::vector<std::string> SummaryCounterTexts() {
    struct NoPictures final : detlink::PictureTaker {
        bool bRecording() const override { return false; }
        bool SavePicture(const std::string&) override { return false; }
    } none;
    std::vector<std::string> texts = detlink::RecordingEvents(none).SummaryLines();
    for (std::string& text : texts) {
        text.erase(text.find_last_not_of("0123456789") + 1);
    }
    return texts;
}

SummaryText ReadSummaryText(const std::string& text) {
    const std::vector<std::string> texts = SummaryCounterTexts();
    // Picture name, then the recording's error: the name ends with ".png".
    const std::string missingSeparator = std::string(kPictureEnding) + ": ";
    SummaryText summary;
    for (const std::string& line : Lines(text)) {
        const auto counter = std::find_if(
            texts.begin(), texts.end(), [&](const std::string& t) { return line.starts_with(t); });
        if (counter != texts.end()) {
            summary.counts[*counter] = line.substr(counter->size());
        } else if (line.starts_with(kMissingPrefix)) {
            const std::size_t end = line.find(missingSeparator, kMissingPrefix.size());
            if (end != std::string::npos) {
                summary.notSaved[line.substr(kMissingPrefix.size(),
                                             end + kPictureEnding.size() - kMissingPrefix.size())] =
                    line.substr(end + missingSeparator.size());
            }
        } else {
            summary.pictures.push_back(line);
        }
    }
    return summary;
}

} // namespace records
