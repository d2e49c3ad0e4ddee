#pragma once
// Values of Windows profile (INI) files, read and written through the
// system's private-profile calls. Plain values: nothing is cached or held open.
#include <stdexcept>
#include <string>

namespace Utilities {

class Profile {
public:
    class Exception : public std::logic_error {
    public:
        explicit Exception(const std::string& message) : std::logic_error("Utilities.Profile: " + message) {}
    };

    class Key {
    public:
        Key(std::string file, std::string section, std::string name);
        std::string GetValue() const;
        void SetValue(const std::string& value) const;

    private:
        std::string file;
        std::string section;
        std::string name;
    };

    class Section {
    public:
        Section(std::string file, std::string name);
        Key GetKey(const std::string& key) const;

    private:
        std::string file;
        std::string name;
    };

    // A name without a folder refers to the system's folder for profile files.
    explicit Profile(std::string file);
    Section GetSection(const std::string& section) const;

    // An empty section lists the file's sections, an empty key the section's
    // keys: each name followed by one NUL. Missing entries read as "".
    static std::string ReadString(const std::string& file, const std::string& section, const std::string& key);
    // Empty texts are written as empty texts, so nothing is ever deleted.
    static void WriteString(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& value);

private:
    std::string file;
};

} // namespace Utilities
