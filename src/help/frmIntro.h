#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
namespace Ui { class frmIntro; }

// The start-up window: product, version, the maker's lines and web link,
// the terms of use, and "I Agree" / "Exit". The main window shows it
// modally while it loads and again from "Help About":
//
//     frmIntro intro(this);
//     intro.exec();   // returns only if the user goes on
//
// "Exit" ends the whole program at once, from inside exec().
class frmIntro : public QDialog
{
    Q_OBJECT

public:
    explicit frmIntro(QWidget *parent = nullptr);
    ~frmIntro() override;

    // What "Exit" does; the default ends the process with that status at
    // once, running no close handlers. Tests replace it.
    using ExitAction = std::function<void(int exitCode)>;
    void setExitAction(ExitAction action);
    static void endProgram(int exitCode);

    // "major.minor.patch" of this build, e.g. "1.5.1".
    static QString versionText();

    // The button array: 0 "I Agree", 1 "Exit"; nullptr for other indexes.
    QPushButton *cmdOK(int index) const;
    QLabel *lblVersion() const;
    QLabel *Label2() const;

    // 0 closes the window, 1 ends the program, anything else does nothing.
    void cmdOK_Click(int Index);
    void Label2_Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void placeControls();
    void applyFonts();

    std::unique_ptr<Ui::frmIntro> m_ui;
    ExitAction m_exitAction;
};
