#pragma once

#include <QString>
#include <QStringList>

// The text of a sectioned initialization file: "[Section]" lines open sections and
// "key=value" lines hold values. Section and key names match without regard to case.
// Changing a value touches only its own line, so other sections, keys, comments and
// blank lines are kept as they were.
class IniText {
public:
    IniText() = default;
    explicit IniText(const QString& text);

    // The value with surrounding blanks and one pair of matching quotes removed, or
    // nothing (found false) when the section or key is missing.
    QString Value(const QString& section, const QString& key, bool* found = nullptr) const;

    // Sets a value, adding the key at the end of its section or the section at the end
    // of the file. Line breaks in the value become blanks: they would split the line.
    void SetValue(const QString& section, const QString& key, const QString& value);

    QString Text() const;

private:
    struct Range {
        qsizetype header = -1; // line of "[Section]", -1 when missing
        qsizetype end = 0;     // one past the section's last key line
    };
    Range FindSection(const QString& section) const;
    qsizetype FindKey(const Range& range, const QString& key) const;

    QStringList lines_;
    QString lineBreak_ = QStringLiteral("\n");
    bool finalBreak_ = true;
};

// Reads an integer the way the settings file stores them: decimal, or hexadecimal when
// the text is longer than two characters and starts with "0x" or "0X". Any other text
// gives the fallback.
int ParseIniInteger(const QString& text, int fallback);
