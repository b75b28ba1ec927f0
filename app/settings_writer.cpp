#include "app/settings_writer.h"

#include "platform/win32.h"

#include <cstdio>
#include <utility>

SettingsWriter::SettingsWriter(std::string path) : path(std::move(path)) {}

SettingsWriter::~SettingsWriter()
{
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    if (thread.joinable()) thread.join();
}

void SettingsWriter::Write(const Sections& sections)
{
    {
        std::lock_guard lock(mutex);
        pending = sections;
        if (!thread.joinable()) thread = std::thread([this] { Run(); });
    }
    changed.notify_all();
}

bool SettingsWriter::Flush()
{
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return !pending && !writing; });
    return !std::exchange(failed, false);
}

// Takes what is pending, writes it without the lock, and goes on until told to stop with
// nothing left.
void SettingsWriter::Run()
{
    std::unique_lock lock(mutex);
    for (;;) {
        changed.wait(lock, [this] { return stopping || pending; });
        if (!pending) return;
        const Sections sections = *std::exchange(pending, std::nullopt);
        writing = true;
        lock.unlock();
        const bool written = WriteOut(sections);
        lock.lock();
        writing = false;
        if (!written && !warned)
            std::fprintf(stderr, "Quorvel: cannot write %s; the settings are kept for this run only\n", path.c_str());
        warned = warned || !written;
        failed = failed || !written;
        changed.notify_all();
    }
}

// The new file is made from nothing beside the old one (what a killed write left there
// goes first), flushed and renamed over the old one. Windows answers the flush (all
// names null) with FALSE, whatever happened.
bool SettingsWriter::WriteOut(const Sections& sections)
{
    const std::string fresh = path + ".new";
    DeleteFile(fresh.c_str());
    bool written = true;
    for (const auto& [name, block] : sections)
        written = written && WritePrivateProfileSection(name.c_str(), block.c_str(), fresh.c_str());
    WritePrivateProfileString(nullptr, nullptr, nullptr, fresh.c_str());
    written = written && MoveFileEx(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!written) DeleteFile(fresh.c_str());
    return written;
}
