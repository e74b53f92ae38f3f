#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// A new file that appears whole or not at all. It is written unnamed in the target's
// folder (O_TMPFILE) and linked into place by Commit, so a failed, cancelled or killed
// job leaves neither a broken target nor a stray file, and an earlier file of that name
// stays as it was until the new one replaces it in one step. Where the file system
// cannot hold unnamed files it is written under a hidden name beside the target
// (".addrina-" and six characters), locked while in use; opening removes the hidden
// files of ours that no job holds any more. The file gets the user's usual permissions
// (0666 less the umask). Every write, the final flush and the close are checked;
// Error gives the system's reason for the first that failed.
class StagedFile : public QIODevice {
public:
    enum class Staging { Unnamed, Named };

    // Named skips the unnamed file (what a file system without it gets).
    explicit StagedFile(QString target, Staging staging = Staging::Unnamed);
    ~StagedFile() override;

    QString Target() const { return target_; }
    // Opens for writing; false with Error set when the file cannot be made.
    bool Open();
    // Puts the file in place; false with Error set (and nothing in place) when any
    // write, the flush or the close failed.
    bool Commit();
    // Drops what was written; the target stays as it was.
    void Discard();
    // Empties the file to write it again from its start.
    void Restart();
    bool Failed() const { return !error_.isEmpty(); }
    QString Error() const { return error_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override;

private:
    bool flushBuffer();
    void fail(int error);
    bool openUnnamed(const QString& folder);
    bool openNamed(const QString& folder);
    // Links the unnamed file under a name; false (errno set) when it cannot.
    bool link(const QString& name) const;
    void closeDescriptor();

    QString target_;
    Staging staging_;
    int fd_ = -1;
    QString named_; // the hidden name while the file has one
    QByteArray buffer_;
    QString error_;
};
