#pragma once
// Writes settings sections into their file on a thread of its own, so that the game's
// frames never wait for the disk: every write replaces the file and flushes it, which
// takes milliseconds. Sections handed over while a write runs are merged, the newest
// text of each section winning; the destructor finishes everything handed over. A
// failed write is reported once on standard error.

#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>

class SettingsWriter {
public:
    explicit SettingsWriter(std::string path);
    ~SettingsWriter();
    SettingsWriter(const SettingsWriter&) = delete;
    SettingsWriter& operator=(const SettingsWriter&) = delete;

    // Sections as the profile API writes them ("key=value" strings, each ended by a
    // null, the whole by a second null), and sections to drop.
    void Write(const std::map<std::string, std::string>& sections, const std::set<std::string>& dropped);
    // Waits until everything handed over is written; false when a write failed since the
    // last call.
    bool Flush();

private:
    void Run();
    bool WriteOut(const std::map<std::string, std::string>& sections, const std::set<std::string>& dropped);

    const std::string path;
    std::mutex mutex;
    std::condition_variable changed;
    std::map<std::string, std::string> pending;
    std::set<std::string> pendingDrops;
    bool writing = false;
    bool failed = false;
    bool warned = false;
    bool stopping = false;
    std::thread thread;
};
