// Reading a recording folder by the names the recording gives its files:
// "YYYY-MM-DD hh'nn'ss.zzz <label>.png" and "YYYY-MM-DD hh'nn'ss.zzz Contents.txt".
#include "records/ReportContents.h"

#include "link/RecordingEvents.h"
#include "records/PngWriter.h"
#include "records/RecordNames.h"

#include <algorithm>
#include <fstream>
#include <iterator>
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

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The summary's counter texts as the recording writes them: "Alarms: " ... "Malfunctions: ".
std::vector<std::string> CounterTexts() {
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

class FolderReader {
public:
    FolderReader(const std::filesystem::path& folder, ReportContents& contents)
        : folder(folder)
        , contents(contents) {}

    // Every regular file of the folder, by kind, in name order (the order they were made).
    // False when the folder cannot be listed, with the reason in error.
    bool List(std::error_code& error) {
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            const std::string name = entry.path().filename().string();
            // A link could bring in a file from elsewhere: the report shows the folder's own.
            std::error_code kind;
            if (entry.symlink_status(kind).type() != std::filesystem::file_type::regular) {
                continue;
            }
            if (IsSummaryName(name)) {
                summaries.insert(name);
            } else if (IsPictureName(name)) {
                pictures.insert(name);
            }
        }
        return !error;
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
        std::vector<std::string> unlisted;
        std::set_difference(pictures.begin(), pictures.end(), listed.begin(), listed.end(),
                            std::back_inserter(unlisted));
        if (!unlisted.empty()) {
            ReportRecording extra;
            for (const std::string& name : unlisted) {
                extra.pictures.push_back(Picture(name, ""));
            }
            contents.recordings.push_back(std::move(extra));
        }
    }

private:
    void ReadSummary(const std::string& name) {
        ReportRecording recording;
        recording.sSummaryName = name;
        const std::vector<std::string> texts = CounterTexts();
        std::map<std::string, std::string> found;
        for (const std::string& line : Lines(ReadFile(folder / name))) {
            const auto text = std::find_if(texts.begin(), texts.end(), [&](const std::string& t) {
                return line.rfind(t, 0) == 0;
            });
            if (text != texts.end()) {
                found[*text] = line.substr(text->size());
            } else {
                listed.insert(line);
                recording.pictures.push_back(Picture(line, name));
            }
        }
        for (const std::string& text : texts) {
            const std::string title = text.substr(0, text.find_last_not_of(": ") + 1);
            const auto value = found.find(text);
            if (value == found.end()) {
                contents.missing.push_back("The summary \"" + name + "\" has no line \"" + text +
                                           "\".");
            }
            recording.counts.emplace_back(title, value == found.end() ? "?" : value->second);
        }
        contents.recordings.push_back(std::move(recording));
    }

    ReportPicture Picture(const std::string& name, const std::string& summary) {
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
        const std::string listedBy = summary.empty() ? "" : " listed in \"" + summary + "\"";
        // Only a plain name in this folder is looked up, whatever a summary says.
        if (name.find_first_of("/\\") != std::string::npos || name == "." || name == "..") {
            picture.sProblem = "not a file name of this folder";
        } else if (pictures.count(name) == 0) {
            picture.sProblem = "missing from the folder";
        } else {
            picture.sPng = ReadFile(folder / name);
            if (picture.sPng.compare(0, kPngSignature.size(), kPngSignature) != 0) {
                picture.sPng.clear();
                picture.sProblem = "not a PNG picture";
            }
        }
        if (!picture.sProblem.empty()) {
            contents.missing.push_back("The picture \"" + name + "\"" + listedBy + " is " +
                                       picture.sProblem + ".");
        }
        return picture;
    }

    const std::filesystem::path& folder;
    ReportContents& contents;
    std::set<std::string> summaries;
    std::set<std::string> pictures;
    std::set<std::string> listed;
};

} // namespace

std::optional<ReportContents> ReadRecordingFolder(const std::filesystem::path& folder,
                                                  std::string& error) {
    // Built by appending: GCC 12 warns falsely on a one-character literal plus a string.
    std::string named = "The folder \"";
    named += folder.string();
    named += '"';
    std::error_code code;
    if (!std::filesystem::is_directory(folder, code)) {
        error = named + " does not exist or is not a folder.";
        return std::nullopt;
    }
    ReportContents contents;
    contents.sFolderName = folder.filename().string();
    FolderReader reader(folder, contents);
    if (!reader.List(code)) {
        error = named + " cannot be read (" + code.message() + ").";
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
