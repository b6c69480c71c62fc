#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <initializer_list>

// Text for a terminal with its control characters (C0, DEL and C1) shown
// as escapes ("\e", "\x07", "\u009b"), so that a file name can neither
// move the cursor nor retitle the window. keepLineEnds keeps tab, line
// feed and a carriage return before one, the formats' own.
class TerminalText
{
public:
    explicit TerminalText(bool keepLineEnds) : m_keepLineEnds(keepLineEnds) {}
    // Appends bytes (UTF-8), escaped, to out; a character split between
    // two calls is held until the next.
    void append(QByteArray &out, QByteArrayView bytes);
    // Appends what is held.
    void finish(QByteArray &out);

    // For one line: every control character escaped, line ends too.
    static QString visible(const QString &text);

private:
    bool m_keepLineEnds;
    char m_held = 0; // a 0xc2 (a C1 character's first byte) or a carriage return
};

// What a listing is written into. How is decided when it is opened, from
// what the name stands for once its links are followed:
// - a new name, or a regular file with one link: a temporary file beside
//   it, which commit() renames over it. A file replaced keeps its
//   permission bits, and its owner and group where the process may set them.
// - a regular file with more links: the same temporary file, which commit()
//   copies into the file, so that every link sees the new content.
// - anything else (a device, a FIFO, a socket, and standard output as "-",
//   /dev/stdout or /dev/fd/N): written into as the text comes, never
//   truncated or replaced. Text for a terminal shows its control
//   characters as escapes; text for anything else keeps its bytes.
// So a failed walk, a cancel or a stop signal never touches an existing
// file. Every write and the final flush are checked; failures throw
// PrintError naming the file and the system's reason.
class OutputFile : public QIODevice
{
    Q_OBJECT

public:
    enum class Kind { Replace, CopyIn, Stream };

    // Opens fileName ("-" for standard output); throws PrintError when it cannot.
    explicit OutputFile(const QString &fileName);
    // Without commit(), removes the temporary file and leaves the target as it was.
    ~OutputFile() override;

    Kind kind() const { return m_kind; }
    bool isSequential() const override { return true; }

    // Writes what is still held and puts the file in place; throws PrintError when that fails.
    void commit();

    // Throws the PrintError for a write the device refused: the reason
    // noted then, or else the given one.
    [[noreturn]] void throwFailure(const QString &otherwise) const;

    // These signals end the program as by default, after removing the
    // temporary file of every output not committed; a commit under way is
    // finished first. lastWords, if given, runs before that and must be
    // async-signal-safe.
    static void endOnSignals(std::initializer_list<int> stopSignals, void (*lastWords)() = nullptr);

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    struct Existing;
    void openTemporary(const QByteArray &target, const Existing *existing);
    void openStream(const QByteArray &target, bool socket);
    bool drain();
    void copyIn();
    [[noreturn]] void fail(int error) const;
    [[noreturn]] void fail(const QString &reason) const;
    void forgetTemporary();

    QString m_name; // as given, for messages
    Kind m_kind = Kind::Stream;
    int m_fd = -1;       // what is written to: the stream or the temporary file
    int m_linkedFd = -1; // CopyIn: the file copied into
    QByteArray m_target; // Replace: the name renamed over
    QByteArray m_temporary;
    int m_slot = -1; // where a stop signal finds m_temporary
    bool m_terminal = false;
    bool m_committed = false;
    int m_error = 0; // the first failed write's errno
    QByteArray m_buffer;
    TerminalText m_escapes{true};
};
