#pragma once
// Texts on their way to the engine: zero-terminated, at most 255 bytes each. Keys,
// expressions and tag names travel in Windows-1252; file paths in the file system's own
// encoding. A text that does not fit is refused with a TableError, never cut short.

#include <QString>
#include <string>

class EngineText {
public:
    static constexpr int kMaxLength = 255;

    // A key, expression, alias or tag name.
    static EngineText Text(const QString& text);
    // A file path.
    static EngineText Path(const QString& path);

    const char* c_str() const { return bytes_.c_str(); }
    operator const char*() const { return bytes_.c_str(); }

private:
    explicit EngineText(std::string bytes);
    std::string bytes_;
};
