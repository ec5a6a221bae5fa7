// Reading a recording folder by the names the recording gives its files:
// "YYYY-MM-DD hh'nn'ss.zzz <label>.png" and "YYYY-MM-DD hh'nn'ss.zzz Contents.txt".
#include "records/ReportContents.h"

#include "files/Utf8Path.h"
#include "link/RecordingEvents.h"
#include "records/PngWriter.h"
#include "records/RecordNames.h"
#include "records/SummaryText.h"

#include <algorithm>
#include <map>
#include <set>

namespace records {

namespace {

std::string DateOf(std::string_view stamp) {
    return std::string(stamp.substr(0, 10));
}

// "hh'nn'ss.zzz" with the colons the name could not hold.
std::string TimeOf(std::string_view stamp, bool withMilliseconds) {
    std::string time(stamp.substr(11, withMilliseconds ? 12 : 8));
    std::replace(time.begin(), time.end(), '\'', ':');
    return time;
}

// A summary lists one picture a line, some 45 bytes: room for over 20,000 pictures, far more
// than a walk test makes, while a summary of short lines stays some hundred megabytes of
// listings in memory.
constexpr std::uint64_t kMaxSummaryBytes = std::uint64_t{1} << 20;

std::string Megabytes(std::uint64_t bytes) {
    return std::to_string(bytes >> 20) + " MB";
}

// The label the recording gives an event's picture, from the recording's own table.
std::string LabelOf(detlink::RecordingEvent event) {
    struct LabelTaker final : detlink::PictureTaker {
        std::string label;
        bool bRecording() const override { return true; }
        bool SavePicture(const std::string& taken) override {
            label = taken;
            return true;
        }
    } taker;
    detlink::RecordingEvents(taker).Raise(event);
    return taker.label;
}

// A link that answers again after a pause or a disconnection asks for a picture of the state
// that follows, labelled "Calibration" whatever the detector does.
void MarkResyncs(std::vector<ReportPicture>& pictures) {
    const std::string calibration = LabelOf(detlink::RecordingEvent::Calibration);
    const std::string pause = LabelOf(detlink::RecordingEvent::Pause);
    const std::string disconnection = LabelOf(detlink::RecordingEvent::Disconnection);
    for (std::size_t i = 1; i < pictures.size(); ++i) {
        const std::string& before = pictures[i - 1].sLabel;
        if (pictures[i].sLabel == calibration && (before == pause || before == disconnection)) {
            pictures[i].sResyncAfter = before;
        }
    }
}

class FolderReader {
public:
    FolderReader(const FolderHandle& folder, ReportContents& contents)
        : folder(folder)
        , contents(contents) {}

    // Every entry of the folder named as a recording names its files, by kind, in name order
    // (the order they were made); what cannot be read among them is said when it is read.
    // False when the folder cannot be listed, with the reason in error.
    bool List(std::string& error) {
        std::vector<std::filesystem::path> names;
        if (!folder.List(names, error)) {
            return false;
        }
        for (const std::filesystem::path& entry : names) {
            const std::string name = files::Utf8FromPath(entry);
            if (IsSummaryName(name)) {
                summaries.insert(name);
            } else if (IsPictureName(name)) {
                pictures.insert(name);
            }
        }
        return true;
    }
    bool IsRecording() const { return !summaries.empty() || !pictures.empty(); }

    void Read() {
        // The earliest name starts the recording: the "Start Recording" picture, if it is there.
        const std::string& first = summaries.empty() ? *pictures.begin()
                                   : pictures.empty()
                                       ? *summaries.begin()
                                       : std::min(*pictures.begin(), *summaries.begin());
        contents.sDate = DateOf(first);
        contents.sTime = TimeOf(first, false);
        for (const std::string& summary : summaries) {
            ReadSummary(summary);
        }
        if (summaries.empty()) {
            contents.missing.push_back(
                "The summary (\"... Contents.txt\") is missing: the recording was not stopped "
                "with \"Save <F6>\", or the file was lost. The counts are unknown.");
        }
        ReportRecording unlisted;
        for (const std::string& name : pictures) {
            if (listed.count(name) == 0) {
                unlisted.pictures.push_back(Picture(name, "", {}));
            }
        }
        if (!unlisted.pictures.empty()) {
            contents.recordings.push_back(std::move(unlisted));
        }
        for (ReportRecording& recording : contents.recordings) {
            MarkResyncs(recording.pictures);
        }
    }

private:
    // Where a name was first listed: the recording and the place in its pictures.
    struct Listing {
        std::size_t recording;
        std::size_t picture;
    };

    // Why a summary cannot be read, as the end of a sentence; empty when it was read.
    static std::string SummaryProblem(const ReportFile& file) {
        if (file.bAbsent) {
            return "is missing from the folder";
        }
        if (!file.sProblem.empty()) {
            return "cannot be read: " + file.sProblem;
        }
        if (file.iSize > kMaxSummaryBytes) {
            return "is too large to read (" + std::to_string(file.iSize) + " bytes, more than " +
                   Megabytes(kMaxSummaryBytes) + ")";
        }
        return "";
    }

    void ReadSummary(const std::string& name) {
        ReportRecording& recording = contents.recordings.emplace_back();
        recording.sSummaryName = name;
        const std::vector<std::string> texts = SummaryCounterTexts();
        const ReportFile file = ReadReportFile(folder, files::PathFromUtf8(name), kMaxSummaryBytes);
        const std::string problem = SummaryProblem(file);
        SummaryText summary;
        if (problem.empty()) {
            summary = ReadSummaryText(file.sBytes);
        } else {
            contents.missing.push_back("The summary \"" + name + "\" " + problem + ".");
        }
        for (const std::string& picture : summary.pictures) {
            if (const auto first = listed.find(picture); first != listed.end()) {
                recording.pictures.push_back(Repeat(first->second));
                continue;
            }
            listed.emplace(picture,
                           Listing{contents.recordings.size() - 1, recording.pictures.size()});
            recording.pictures.push_back(Picture(picture, name, summary.notSaved));
        }
        for (const std::string& text : texts) {
            const std::string title = text.substr(0, text.find_last_not_of(": ") + 1);
            const auto value = summary.counts.find(text);
            // An unreadable summary has been said once: its counts are all unknown.
            if (value == summary.counts.end() && problem.empty()) {
                contents.missing.push_back("The summary \"" + name + "\" has no line \"" + text +
                                           "\".");
            }
            recording.counts.emplace_back(title,
                                          value == summary.counts.end() ? "?" : value->second);
        }
    }

    // A later listing of a name: the page shows the picture once, so this one refers to the
    // first, or repeats why it is not shown without saying it again to the operator.
    ReportPicture Repeat(const Listing& at) {
        ReportPicture& first = contents.recordings[at.recording].pictures[at.picture];
        if (first.sProblem.empty() && first.iAnchor == 0) {
            first.iAnchor = ++anchors;
        }
        ReportPicture picture = first;
        picture.bRepeat = true;
        return picture;
    }

    ReportPicture Picture(const std::string& name, const std::string& summary,
                          const std::map<std::string, std::string>& notSaved) {
        ReportPicture picture;
        picture.sName = name;
        picture.sLabel = name;
        if (IsStamped(name)) {
            picture.sDate = DateOf(name);
            picture.sTime = TimeOf(name, true);
            picture.sLabel = name.substr(std::min(name.size(), kStampLength + 1));
        }
        if (picture.sLabel.ends_with(kPictureEnding)) {
            picture.sLabel.resize(picture.sLabel.size() - kPictureEnding.size());
        }
        std::optional<PictureProblem> problem;
        // Only a plain name in this folder is looked up, whatever a summary says.
        if (name.find_first_of("/\\") != std::string::npos || name == "." || name == "..") {
            problem = PictureProblem{"is", "not a file name of this folder"};
        } else {
            ReportFile file;
            file.bAbsent = pictures.count(name) == 0;
            if (!file.bAbsent) {
                file = ReadReportFile(folder, files::PathFromUtf8(name), kPngSignature.size());
            }
            problem = CheckPicture(file);
            // The recording said why it could not save the picture.
            const auto error = notSaved.find(name);
            if (file.bAbsent && error != notSaved.end()) {
                problem = PictureProblem{"was", "not saved: " + error->second};
            }
        }
        if (problem) {
            picture.sProblem = problem->sReason;
            std::string sentence = "The picture \"" + name + "\"";
            if (!summary.empty()) {
                sentence += " listed in \"" + summary + "\"";
            }
            sentence += ' ';
            if (!problem->verb.empty()) {
                sentence.append(problem->verb) += ' ';
            }
            contents.missing.push_back(sentence + problem->sReason + ".");
        }
        return picture;
    }

    const FolderHandle& folder;
    ReportContents& contents;
    std::set<std::string> summaries;
    std::set<std::string> pictures;
    std::map<std::string, Listing> listed;
    int anchors = 0;
};

} // namespace

std::optional<PictureProblem> CheckPicture(const ReportFile& file) {
    if (file.bAbsent) {
        return PictureProblem{"is", "missing from the folder"};
    }
    if (!file.sProblem.empty()) {
        return PictureProblem{"", "cannot be read: " + file.sProblem};
    }
    if (!file.sBytes.starts_with(kPngSignature)) {
        return PictureProblem{"is", "not a PNG picture"};
    }
    if (file.iSize > kMaxPictureBytes) {
        return PictureProblem{"is", "too large to put in the page (" + std::to_string(file.iSize) +
                                        " bytes, more than " + Megabytes(kMaxPictureBytes) + ")"};
    }
    return std::nullopt;
}

std::optional<ReportContents> ReadRecordingFolder(FolderHandle folder, std::string& error) {
    // Built by appending: GCC 12 warns falsely on a one-character literal plus a string.
    std::string named = "The folder \"";
    named += files::Utf8FromPath(folder.Path());
    named += '"';
    if (!folder.bOpen()) {
        error = named + " does not exist or is not a folder.";
        return std::nullopt;
    }
    ReportContents contents{std::move(folder), {}, {}, {}, {}, {}};
    contents.sFolderName = files::Utf8FromPath(contents.folder.Path().filename());
    FolderReader reader(contents.folder, contents);
    std::string problem;
    if (!reader.List(problem)) {
        error = named + " cannot be read (" + problem + ").";
        return std::nullopt;
    }
    if (!reader.IsRecording()) {
        error = named +
                " is not a walk-test recording: it holds no summary (\"... Contents.txt\") and "
                "no picture (\"YYYY-MM-DD hh'nn'ss.zzz <event>.png\").";
        return std::nullopt;
    }
    reader.Read();
    return contents;
}

} // namespace records
