#include "GuiStrings.h"

#include "ResReader.h"

const QList<int>& GuiStrings::numbers() {
    static const QList<int> used{201, 202, 203, 204, 205, 206, 207, 210, 211, 212, 213,
                                 214, 215, 216, 217, 218, 219, 220, 223, 224, 225, 226,
                                 227, 228, 229, 231, 233, 236, 237, 238, 239, 240, 241,
                                 242, 243, 244, 245, 246, 247, 248, 249};
    return used;
}

void GuiStrings::load(const ResReader& reader) {
    texts_.clear();
    for (const int id : numbers())
        texts_.insert(id, reader.LoadSTvar(id));
}

QString GuiStrings::text(int id) const {
    return texts_.value(id, QStringLiteral("*"));
}

void GuiStrings::setText(int id, const QString& text) {
    texts_.insert(id, text);
}

QString GuiStrings::spoken(const QString& caption) {
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && ++i == caption.size())
            break;
        spoken.append(caption.at(i));
    }
    return spoken;
}

QString GuiStrings::longReportQuestion() {
    return QStringLiteral("Search has found more than 1000 verses... report may take ") +
           QStringLiteral("\r\n") + QStringLiteral("several seconds to generate. Are you sure?");
}
