#pragma once
// Writes the settings file on a thread of its own, so that the game's frames never wait
// for the disk: a write makes the whole file anew beside the old one, flushes it and
// renames it over the old one, which takes milliseconds, and a process killed at any
// moment leaves the old file or the new one. Files handed over while a write runs are
// merged, the newest winning; the destructor finishes everything handed over. A failed
// write is reported once on standard error.

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class SettingsWriter {
public:
    // Each section of the file as the profile API writes it: "key=value" strings, each
    // ended by a null, the whole by a second null.
    using Sections = std::map<std::string, std::string>;

    explicit SettingsWriter(std::string path);
    ~SettingsWriter();
    SettingsWriter(const SettingsWriter&) = delete;
    SettingsWriter& operator=(const SettingsWriter&) = delete;

    // The whole file: these sections and nothing else.
    void Write(const Sections& sections);
    // Waits until everything handed over is written; false when a write failed since the
    // last call.
    bool Flush();

private:
    void Run();
    bool WriteOut(const Sections& sections);

    const std::string path;
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<Sections> pending;
    bool writing = false;
    bool failed = false;
    bool warned = false;
    bool stopping = false;
    std::thread thread;
};
