#pragma once

#include <QDialog>

class LinkLabel;
class QFrame;
class QLabel;
class QPushButton;

// The About window: the program's name, version, description and copyright notice from the version
// record, with the main window's icon. The copyright line opens the maker's home page. There is one
// shared window, modeless and without an owner, so the main window stays usable beside it.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    // Help, About: creates and loads the window when it is not open, otherwise brings the open one
    // to the front without loading it again. The window destroys itself when it closes.
    static frmAbout* showShared();

private:
    frmAbout();
    void createControls();
    void load();
    void fitFont();
    void lblCopyright_Click();

    QLabel* picIcon;
    QPushButton* cmdOK;
    QLabel* Label2;
    QLabel* Label1;
    QFrame* Line1[2];
    QLabel* lblComments;
    QLabel* lblTitle;
    QLabel* lblVersion;
    LinkLabel* lblCopyright;
};
