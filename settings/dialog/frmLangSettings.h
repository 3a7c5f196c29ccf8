#pragma once

#include "SettingsModel.h"

#include <QColor>
#include <QDialog>

#include <optional>

class AppContext;
class QCheckBox;
class ColourSwatch;
class QColorDialog;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class ucGradContainer;

// The language and appearance settings: which text libraries the page shows
// and in which order, the interface language, a skin, and the two colours and
// the angle of a background gradient with a preview of it.  The window only
// shows and edits a SettingsModel; OK stores it through the settings model.
class frmLangSettings : public QDialog {
    Q_OBJECT
public:
    explicit frmLangSettings(AppContext& context, QWidget* parent = nullptr);

    // Controls, by their names in the program.
    ucGradContainer* picLangs = nullptr;
    QLabel* lblOffLine = nullptr;
    QListWidget* lstOffLine = nullptr;
    QLabel* lblOnLine = nullptr;
    QListWidget* lstOnline = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdRemove = nullptr;
    QLabel* lblGUILang = nullptr;
    QComboBox* cmbGUILang = nullptr;
    QCheckBox* chkContinue = nullptr;
    // Opens the recitation settings (folders, repeats) in a window of their own.
    QPushButton* cmdRecitation = nullptr;
    ucGradContainer* picColors = nullptr;
    QLabel* lblSkin = nullptr;
    QComboBox* cmbSkin = nullptr;
    QLabel* lblBK1 = nullptr;
    ColourSwatch* BK1 = nullptr;
    QLabel* lblBK2 = nullptr;
    ColourSwatch* BK2 = nullptr;
    QLabel* lblAngle = nullptr;
    QSlider* BKColorAngle = nullptr;
    QLabel* lblTheme = nullptr;
    QComboBox* cmbTheme = nullptr;
    QLabel* lblScript = nullptr;
    QComboBox* cmbScript = nullptr;
    ucGradContainer* ucGradContainer2 = nullptr;
    QColorDialog* CommonDialog1 = nullptr;
    QPushButton* cmdOK = nullptr;

    const SettingsModel& model() const { return model_; }

    // Reads the stored settings into the controls again (what the toolbar
    // toggles changed while the window was hidden shows then).
    void reload();

    // The caption of the angle slider: GUI string 207, or the program's own
    // text when the translation library does not carry it.
    static QString angleCaption(const QString& guiText);

    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmbSkin_Click();
    void BK1_Click();
    void BK2_Click();
    void cmdOK_Click();

signals:
    // OK stored the settings, read them back and hid the window; what shows
    // them (the page, the toolbar toggles) follows now.
    void confirmed();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildWindow();
    void connectControls();
    void Form_Load();
    void LoadGUIVars();
    // Puts the model's values into the controls and the preview.
    void showModel();
    void showLibraryLists();
    // Runs the colour dialog; the colour it holds afterwards, or nothing
    // when the user cancelled.
    std::optional<QColor> pickColour(const QColor& firstColour);

    AppContext& context_;
    SettingsModel model_;
    std::optional<QColor> heldColour_; // the colour last chosen in the colour dialog
};
