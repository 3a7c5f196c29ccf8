#pragma once

#include "AddedTranslations.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class AppContext;
class QuranReader;
class QWidget;

// "Add translation..." and "Remove translation...": the file dialog, the
// name, building and storing the library, and showing the page with it at
// once.  The windows it opens are replaceable, so that tests can answer them.
class TranslationCommands : public QObject {
    Q_OBJECT
public:
    TranslationCommands(AppContext& context, QuranReader& reader, QWidget* mainWindow);

    // The verse file to add; empty when the reader cancelled.
    std::function<QString()> chooseFile;
    // The name and the place of the translation read from the file.
    AddedTranslations::AskDetails askDetails;
    // The culture of the added translation to remove.
    std::function<std::optional<int>(const QList<AddedTranslations::Entry>&)> chooseToRemove;
    // A failure (warning) and a plain note.
    std::function<void(const QString&)> showFailure;
    std::function<void(const QString&)> showNote;

    void addTranslation();
    void removeTranslation();

private:
    QList<int> verseCounts() const;
    // Puts the settings just written in effect and shows the page again.
    void applySettings();

    AppContext& context_;
    QuranReader& reader_;
    QPointer<QWidget> mainWindow_;
};
