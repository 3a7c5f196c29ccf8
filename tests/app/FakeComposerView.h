#pragma once

#include "SuraPageComposer.h"

#include <QRegularExpression>
#include <QStringList>

// A page view that keeps the body as a string and records what it was told.
class FakeComposerView : public ComposerView {
public:
    QString templateBody = QStringLiteral(
        "<table><tbody><tr><td class=\"style1\"><div class=\"WHITE\" align=\"center\">|</div>"
        "</td></tr></tbody></table><p class=\"style2\">In the name of Allah</p>");
    QString body;
    QStringList navigations;
    QStringList appended;
    QString basmala;
    QString openingLine;
    QString openingLanguage;
    bool englishShown = true;
    // Whether a template on show is put back rather than loaded again, and
    // the templates put back so far.
    bool reusesTemplate = false;
    QStringList reused;
    QString shown; // the address on show

    void navigate(const QString& address) override {
        navigations.append(address);
        shown = address;
        body = address.endsWith(QLatin1String("QURAN.HTML")) ? templateBody
                                                             : QStringLiteral("Loading ....");
    }
    bool canReuseTemplate(const QString& address) const override {
        return reusesTemplate && shown == address;
    }
    void openTemplate(const QString& address) override {
        if (!canReuseTemplate(address)) {
            navigate(address);
            return;
        }
        reused.append(address);
        body = templateBody;
    }
    void appendBody(const QString& markup) override {
        appended.append(markup);
        body += markup;
    }
    // How many portions were appended at each wait for the page to show them,
    // and how long each wait could last.
    QList<int> shownWaits;
    QList<int> shownWaitLimits;
    void waitUntilShown(int timeoutMs) override {
        shownWaits.append(int(appended.size()));
        shownWaitLimits.append(timeoutMs);
    }
    void replaceInBody(const QString& find, const QString& replacement) override {
        body.replace(find, replacement, Qt::CaseInsensitive);
    }
    void setOpening(const QString& arabic, bool english) override {
        basmala = arabic;
        englishShown = english;
    }
    void setOpeningLine(const QString& markup, const QString& language) override {
        openingLine = markup;
        openingLanguage = language;
    }
};
