// The port table built from spooler-style port names, the parsing of "COMn" texts, and
// the merge of the table into the port combo box's entries.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace detlink {

inline constexpr int kMaxPortRows = 255;

struct PortEntry {
    int Number = 0;
    unsigned char Present = 0;
};

struct PortTable {
    std::array<PortEntry, kMaxPortRows> Rows{};
    int iPortCount = 0;
};

// The drop-down list of ports as the merge sees it; the console plugs its combo box in.
class PortListView {
public:
    virtual ~PortListView() = default;
    virtual int Count() const = 0;
    virtual std::string Text(int index) const = 0;
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Remove(int index) = 0;
    // -1 for none.
    virtual int Selected() const = 0;
    virtual void Select(int index) = 0;
};

// Number after "COM" in an entry's text: characters 4 to the end as a decimal integer,
// 0 when empty or not a number.
int ParsePortNumber(const std::string& text);
// "COM%d".
std::string PortText(int number);
// Rows for the COM names (first three characters "com" in any case), number from the
// up to three characters before ":" or the end; further ports beyond 255 rows are dropped.
void EnumeratePorts(const std::vector<std::string>& names, PortTable& table);
// Merges the rows (ascending numbers) into the list, selects iComPort's entry, else the
// last one. Entries beyond the last reported port are removed: their ports have gone.
void MergePortList(const PortTable& table, int iComPort, PortListView& list);

} // namespace detlink
