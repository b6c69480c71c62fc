#pragma once

#include <QString>

class QWidget;
class HelpViewer;

// The help module: where the help file is, and the three requests made of
// the help viewer (contents, a topic by number, close).

enum class HelpCommand { Context = 1, Quit = 2, Contents = 3 };

// Receives the module's help requests. The built-in handler drives our
// HelpViewer; tests install their own to see the requests.
class HelpRequestHandler
{
public:
    virtual ~HelpRequestHandler() = default;
    // data: the context number for HelpCommand::Context, otherwise 0.
    virtual void helpRequest(QWidget *ownerWindow, const QString &helpFile, HelpCommand command, int data) = 0;
};

namespace Help {

inline constexpr int MainWindowContextId = 10;
inline constexpr int IntroWindowContextId = 20;
inline constexpr int ListingOptionsContextId = 30;

// "Foliotrace.HLP" in programFolder, without doubling a trailing separator
// (the root "/" gives "/Foliotrace.HLP"). The folder is used untrimmed;
// only the test for a trailing separator ignores blanks.
QString helpFilePath(const QString &programFolder);

// The help file of a program in programFolder: beside it (the build tree),
// else where an installed program keeps it (../share/foliotrace), else the
// path beside it, so the viewer names the file it misses.
QString locateHelpFile(const QString &programFolder);

// Records the owner window (the main window) and sets the help-file path
// by locateHelpFile. Call first in the main window's load, so help already
// works in the start-up window.
void registerHelpFile(QWidget *ownerWindow);
// As above, with the program folder given (tests).
void registerHelpFile(QWidget *ownerWindow, const QString &programFolder);

// The registered help-file path; empty before registerHelpFile.
QString helpFile();

void showContents();
// The topic with a context number; does nothing before registerHelpFile.
void showTopic(int contextId);
// Tells the viewer the program no longer needs it (main window unload).
void closeViewer();

// Gives a window its context number and makes F1 anywhere in it (whatever
// control has the focus) open that topic.
void setHelpContextId(QWidget *window, int contextId);
// The window's context number, 0 when it has none.
int helpContextId(const QWidget *window);

// Installs a handler for the requests and returns the previous one;
// nullptr puts the built-in viewer back. The module does not own handlers.
HelpRequestHandler *setHelpRequestHandler(HelpRequestHandler *handler);

// The built-in viewer while it is open, else nullptr.
HelpViewer *helpViewer();

} // namespace Help
