#include "Profile.hpp"

#include "ProfileText.hpp"

#include <windows.h>

#include <utility>

namespace Utilities {

Profile::Key::Key(std::string file, std::string section, std::string name)
    : file(std::move(file)), section(std::move(section)), name(std::move(name))
{
}

std::string Profile::Key::GetValue() const { return ReadString(file, section, name); }

void Profile::Key::SetValue(const std::string& value) const { WriteString(file, section, name, value); }

Profile::Section::Section(std::string file, std::string name) : file(std::move(file)), name(std::move(name)) {}

Profile::Key Profile::Section::GetKey(const std::string& key) const { return Key(file, name, key); }

Profile::Profile(std::string file) : file(std::move(file)) {}

Profile::Section Profile::GetSection(const std::string& section) const { return Section(file, section); }

std::string Profile::ReadString(const std::string& file, const std::string& section, const std::string& key)
{
    const ProfileText::Mode mode = ProfileText::ModeFor(section, key);
    const char* sectionName = section.empty() ? nullptr : section.c_str();
    const char* keyName = key.empty() ? nullptr : key.c_str();
    std::string buffer(ProfileText::InitialBufferSize, '\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD count =
            GetPrivateProfileStringA(sectionName, keyName, "", buffer.data(), size, file.c_str());
        if (ProfileText::IsComplete(count, size, mode)) {
            return ProfileText::Result(buffer, mode);
        }
        buffer.append(buffer.size(), '\0');
    }
}

void Profile::WriteString(const std::string& file, const std::string& section, const std::string& key,
                          const std::string& value)
{
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str())) {
        throw Exception("cannot set key value");
    }
}

} // namespace Utilities
