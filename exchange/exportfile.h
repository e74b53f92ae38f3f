#pragma once
// A file written by a copy, where no failed write can pass for success: output is gathered
// in a buffer and written in large blocks, every write is checked, and finishing writes the
// rest, syncs the file to the disk, checks that the file is still there under its name
// (a file or folder removed while it was written takes the written bytes with it) and
// closes it, each step checked. The first failure sticks: later writes are dropped and
// Error() gives the system's reason.

#include <QByteArray>
#include <QFile>
#include <QString>

class ExportFile {
public:
    ExportFile() = default;
    ~ExportFile();
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    // Creates the file or empties an existing one.
    bool Create(const QString& path);
    // Where the next bytes go; Flush when it grows past a block.
    QByteArray& Buffer() { return buffer_; }
    void Write(QByteArrayView bytes);
    // Writes out the buffer once it holds a block or more.
    void Flush()
    {
        if (buffer_.size() >= BlockSize)
            WriteBuffer();
    }
    // Writes what is left, syncs and closes; false when this or any earlier step failed.
    bool Finish();
    // Closes without syncing: what was written stays, failures here are not reported.
    void Abandon();

    bool Failed() const { return !error_.isEmpty(); }
    const QString& Error() const { return error_; }

    static constexpr qsizetype BlockSize = 256 * 1024;

private:
    void WriteBuffer();
    void Fail(const QString& reason);

    QFile file_;
    QByteArray buffer_;
    QString error_;
};
