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

void SettingsWriter::Write(const std::map<std::string, std::string>& sections, const std::set<std::string>& dropped)
{
    {
        std::lock_guard lock(mutex);
        for (const auto& [name, block] : sections) pending[name] = block;
        for (const std::string& name : dropped) {
            pending.erase(name);
            pendingDrops.insert(name);
        }
        if (!thread.joinable()) thread = std::thread([this] { Run(); });
    }
    changed.notify_all();
}

bool SettingsWriter::Flush()
{
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return pending.empty() && pendingDrops.empty() && !writing; });
    return !std::exchange(failed, false);
}

// Takes what is pending, writes it without the lock, and goes on until told to stop with
// nothing left.
void SettingsWriter::Run()
{
    std::unique_lock lock(mutex);
    for (;;) {
        changed.wait(lock, [this] { return stopping || !pending.empty() || !pendingDrops.empty(); });
        if (pending.empty() && pendingDrops.empty()) return;
        const std::map<std::string, std::string> sections = std::exchange(pending, {});
        const std::set<std::string> dropped = std::exchange(pendingDrops, {});
        writing = true;
        lock.unlock();
        const bool written = WriteOut(sections, dropped);
        lock.lock();
        writing = false;
        if (!written && !warned)
            std::fprintf(stderr, "Quorvel: cannot write %s; the settings are kept for this run only\n", path.c_str());
        warned = warned || !written;
        failed = failed || !written;
        changed.notify_all();
    }
}

bool SettingsWriter::WriteOut(const std::map<std::string, std::string>& sections, const std::set<std::string>& dropped)
{
    bool written = true;
    for (const std::string& name : dropped)
        written = WritePrivateProfileString(name.c_str(), nullptr, nullptr, path.c_str()) && written;
    for (const auto& [name, block] : sections)
        written = WritePrivateProfileSection(name.c_str(), block.c_str(), path.c_str()) && written;
    return written;
}
