#pragma once

// Files, registry and clock as the installation engine uses them. The real
// implementation calls kernel32 and advapi32; native tests replace it.

#include <cstdint>
#include <string>

#include "platform/spooler.h"

enum class RegistryRoot { CurrentUser, LocalMachine };
using RegistryKey = void*;  // HKEY

class System {
  public:
    virtual ~System() = default;

    virtual ErrorCode CopyFile(const std::string& source, const std::string& destination) = 0;
    // Opens an existing key for KEY_SET_VALUE.
    virtual ErrorCode OpenKeyForWriting(RegistryRoot root, const char* subKey,
                                        RegistryKey& key) = 0;
    // Writes a REG_SZ of `size` bytes (the text and its NUL).
    virtual ErrorCode SetStringValue(RegistryKey key, const char* name, const char* text,
                                     std::uint32_t size) = 0;
    virtual void CloseKey(RegistryKey key) = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // The system's own text for an error code, in the UI language.
    virtual std::string ErrorText(ErrorCode error) = 0;
};

#ifdef _WIN32
System& RealSystem();
#endif
