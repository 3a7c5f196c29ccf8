#include "TranslationCommands.h"

#include "AppContext.h"
#include "frmAddTranslation.h"
#include "QuranReader.h"
#include "SettingsModel.h"

#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

const QString kTitle = QStringLiteral("Miravel");

} // namespace

TranslationCommands::TranslationCommands(AppContext& context, QuranReader& reader,
                                         QWidget* mainWindow)
    : QObject(mainWindow), context_(context), reader_(reader), mainWindow_(mainWindow) {
    chooseFile = [this] {
        return QFileDialog::getOpenFileName(
            mainWindow_, QStringLiteral("Add translation"), QString(),
            QStringLiteral("Verse files (*.txt *.tsv);;All files (*)"));
    };
    askDetails =
        [this](const TranslationSource& source) -> std::optional<AddedTranslations::Details> {
        frmAddTranslation dialog(source, mainWindow_);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.details();
    };
    chooseToRemove = [this](const QList<AddedTranslations::Entry>& entries) -> std::optional<int> {
        QStringList names;
        for (const auto& entry : entries)
            names.append(entry.name);
        // Two entries may share a name: the list's position tells them apart.
        QInputDialog dialog(mainWindow_);
        dialog.setWindowTitle(QStringLiteral("Remove translation"));
        const QString caption = QStringLiteral("Translation to remove:");
        dialog.setLabelText(caption);
        dialog.setComboBoxItems(names);
        dialog.setComboBoxEditable(false);
        auto* list = dialog.findChild<QComboBox*>();
        if (list)
            list->setAccessibleName(caption);
        if (dialog.exec() != QDialog::Accepted || !list || list->currentIndex() < 0)
            return std::nullopt;
        const qsizetype index = list->currentIndex();
        return entries.at(index).culture;
    };
    showFailure = [this](const QString& text) {
        QMessageBox::warning(mainWindow_, kTitle, text, QMessageBox::Ok);
    };
    showNote = [this](const QString& text) {
        QMessageBox::information(mainWindow_, kTitle, text, QMessageBox::Ok);
    };
}

QList<int> TranslationCommands::verseCounts() const {
    // The Arabic text fixes how many verses each sura has.
    return AddedTranslations::verseCounts(context_.library(1));
}

void TranslationCommands::addTranslation() {
    const QString path = chooseFile ? chooseFile() : QString();
    if (path.isEmpty())
        return;
    AddedTranslations translations(context_.settings());
    const auto before = translations.list().size();
    if (const auto failure = translations.addFile(path, verseCounts(), askDetails)) {
        showFailure(*failure);
        return;
    }
    if (translations.list().size() == before)
        return; // cancelled
    applySettings();
}

void TranslationCommands::removeTranslation() {
    AddedTranslations translations(context_.settings());
    const auto entries = translations.list();
    if (entries.isEmpty()) {
        showNote(QStringLiteral("No translation has been added."));
        return;
    }
    const auto culture = chooseToRemove(entries);
    if (!culture)
        return;
    if (const auto failure = translations.remove(*culture)) {
        showFailure(*failure);
        return;
    }
    applySettings();
}

void TranslationCommands::applySettings() {
    Settings& settings = context_.settings();
    ReadAppSettings(settings);
    if (const int sura = reader_.selectedSura(); sura > 0) {
        reader_.CancelDisplay() = false;
        reader_.showSura(sura);
    }
    // Announces the display order, which the library toggles follow.
    settings.setOrderString(settings.values().OrderString);
}
