// The recording behind the events of a walk test: "Save <F6>" as a flag, pictures as labels.
#pragma once

#include "link/RecordingEvents.h"

#include <string>
#include <vector>

namespace testing_support {

class FakePictures final : public detlink::PictureTaker {
public:
    bool recording = false;
    std::vector<std::string> labels;
    bool bRecording() const override { return recording; }
    bool SavePicture(const std::string& label) override {
        labels.push_back(label);
        return true;
    }
};

} // namespace testing_support
