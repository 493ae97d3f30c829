#pragma once
// TFrmAbout, the About box: the program's name, version and description, and three links.
// The main window fills in and translates its texts; the box itself only decides, when it
// is shown, whether the home-page link appears.

#include <QDialog>

class QLabel;
class QPushButton;
class TPanel;
class TUrlLab;

class TFrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFrmAbout(QWidget* owner = nullptr);

    TPanel* Panel1;
    QLabel* LblName;
    QLabel* LblVersion;
    QLabel* LblAuthor;
    QLabel* LblCopyright;
    QLabel* LblDescription;
    TPanel* Panel2;
    QLabel* LblWebSite;
    TUrlLab* UrlLabQRXSuite;
    TUrlLab* UrlLabSimulations;
    TUrlLab* UrlLabHomepage;
    QPushButton* BButOK;

    void FormShow();
    void BButOKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void centreOnScreen();
};
