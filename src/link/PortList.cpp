// Port-name parsing, enumeration into the port table and the merge into the list.
#include "link/PortList.h"

#include <charconv>

namespace detlink {

int ParsePortNumber(const std::string& text) {
    if (text.size() <= 3) {
        return 0;
    }
    const char* first = text.data() + 3;
    const char* last = text.data() + text.size();
    if (*first == '+') {
        ++first;
    }
    int value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last ? value : 0;
}

std::string PortText(int number) {
    return "COM" + std::to_string(number);
}

void EnumeratePorts(const std::vector<std::string>& names, PortTable& table) {
    table.iPortCount = 0;
    for (const std::string& name : names) {
        if (table.iPortCount >= kMaxPortRows) {
            break;
        }
        if (name.size() < 3 || (name[0] | 0x20) != 'c' || (name[1] | 0x20) != 'o' ||
            (name[2] | 0x20) != 'm') {
            continue;
        }
        int number = 0;
        for (std::size_t i = 3; i < name.size() && i < 6 && name[i] != ':'; ++i) {
            if (name[i] < '0' || name[i] > '9') {
                break;
            }
            number = number * 10 + (name[i] - '0');
        }
        table.Rows[static_cast<std::size_t>(table.iPortCount++)] = PortEntry{number, 1};
    }
}

void MergePortList(const PortTable& table, int iComPort, PortListView& list) {
    // The selection is decided afresh: iComPort's entry, otherwise the last entry.
    list.Select(-1);
    int selected = -1;
    int j = 0;
    for (int r = 0; r < table.iPortCount; ++r) {
        const PortEntry& row = table.Rows[static_cast<std::size_t>(r)];
        if (row.Present != 1) {
            continue;
        }
        while (j < list.Count()) {
            const int m = ParsePortNumber(list.Text(j));
            if (row.Number > m) {
                list.Remove(j);
                continue;
            }
            if (row.Number < m) {
                list.Insert(j, PortText(row.Number));
            }
            break;
        }
        if (j == list.Count()) {
            list.Insert(j, PortText(row.Number));
        }
        if (row.Number == iComPort) {
            selected = j;
        }
        ++j;
    }
    while (list.Count() > j) {
        list.Remove(list.Count() - 1);
    }
    if (selected < 0) {
        selected = list.Count() - 1;
    }
    list.Select(selected);
}

} // namespace detlink
