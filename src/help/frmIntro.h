#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;
namespace Ui {
class frmIntro;
}

// The start-up window: product, version, the maker's lines and web link,
// the terms of use, and "I Agree" / "Exit". The main window shows it
// modally while it loads and again from "Help About":
//
//     frmIntro intro(this);
//     if (intro.exec() == frmIntro::ExitChosen)
//         ...end the program...
//
// "I Agree" and the close box go on; "Exit" leaves exec() with ExitChosen,
// and the caller ends the program at once.
class frmIntro : public QDialog
{
    Q_OBJECT

public:
    explicit frmIntro(QWidget *parent = nullptr);
    ~frmIntro() override;

    // exec()'s result for "Exit"; "I Agree" gives Accepted, the close box
    // Rejected.
    static constexpr int ExitChosen = 2;

    // "major.minor.patch" of this build, e.g. "1.5.1".
    static QString versionText();

    // The button array: 0 "I Agree", 1 "Exit"; nullptr for other indexes.
    QPushButton *cmdOK(int index) const;
    QLabel *lblVersion() const;
    QLabel *Label2() const;

    // 0 closes the window, 1 closes it with ExitChosen, anything else does
    // nothing.
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
};
