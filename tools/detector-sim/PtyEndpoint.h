// The detector's end of the line: a pseudo-terminal published in the port directory, or an
// existing serial device for a real null-modem cable.
#pragma once

#include <string>

namespace sim {

class PtyEndpoint {
public:
    PtyEndpoint() = default;
    PtyEndpoint(const PtyEndpoint&) = delete;
    PtyEndpoint& operator=(const PtyEndpoint&) = delete;
    ~PtyEndpoint();

    // Creates the pty and its entry comN (comNumber 0: lowest free from 200 up).
    bool OpenPty(const std::string& portsDir, int comNumber, std::string& error);
    // Opens an existing device at 57600 8N1, raw.
    bool OpenDevice(const std::string& path, std::string& error);

    int Fd() const { return fd; }
    int ComNumber() const { return iComNumber; }
    const std::string& DevicePath() const { return devicePath; }
    const std::string& EntryPath() const { return entryPath; }

    // The tool marks the line exclusive and a pty keeps that mark after the tool closes it
    // while we hold the slave, so its reopen would fail; the tool's flock still keeps two
    // instances of the tool apart.
    void AllowReopen() const;
    // Bytes we sent that nobody has read yet (0 on a serial device).
    int Unread() const;
    // Drops what the line holds unread, so a late reader gets current telemetry.
    void DiscardUnread() const;
    // Removes the port-directory entry.
    void RemoveEntry();
    // Gives up the entry without touching it, once a signal handler has removed it.
    void ForgetEntry() { entryPath.clear(); }

private:
    int fd = -1;
    int slaveFd = -1;
    int iComNumber = 0;
    std::string devicePath;
    std::string entryPath;
};

// The port directory: $MIRELUND_PORTS, else $XDG_CONFIG_HOME/mirelund/ports, else
// ~/.config/mirelund/ports.
std::string DefaultPortsDir();

} // namespace sim
