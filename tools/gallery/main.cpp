// miravel-widget-gallery [folder]: renders both own widgets in every theme
// and in several states to PNG files (by default in ./gallery), so a person
// can look at the painting.  Run on demand; it checks nothing itself.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTreeWidget>

#include <cstdio>

#include "ucGradContainer.h"
#include "xpFrame.h"

namespace {

QString galleryDir = QStringLiteral("gallery");
int failures = 0;

void saveWidget(QWidget& w, const QString& name) {
    const QString file = QDir(galleryDir).filePath(name + ".png");
    if (!w.grab().save(file)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        ++failures;
    }
}

QImage sampleIcon() {
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 14; ++x)
            if ((x - 8) * (x - 8) + (y - 8) * (y - 8) < 30)
                icon.setPixel(x, y, qRgb(30, 120, 40));
    return icon;
}

void gradContainerTheme(int theme) {
    QWidget host;
    host.resize(260, 180);
    auto* w = new ucGradContainer(&host);
    w->setGeometry(10, 10, 240, 160);
    w->setTheme(theme);
    w->setCaption(QString("Theme %1").arg(theme));
    auto* button = new QLabel("a contained label", w);
    button->move(20, 60);
    saveWidget(host, QString("grad_theme%1").arg(theme));
}

void gradContainerStates() {
    QWidget host;
    host.resize(520, 200);
    auto* curved = new ucGradContainer(&host);
    curved->setGeometry(10, 10, 240, 160);
    curved->setTheme(3);
    curved->setCurveTopLeft(12);
    curved->setCurveTopRight(12);
    curved->setCurveBottomLeft(20);
    curved->setCurveBottomRight(20);
    curved->setBorderWidth(3);
    curved->setBackAngle(45);
    curved->setCaption("Curved, 45 degrees");
    curved->setCaptionAlignment(2);
    curved->setIcon(Picture::icon(sampleIcon()));

    auto* folded = new ucGradContainer(&host);
    folded->setGeometry(270, 10, 240, 160);
    folded->setTheme(6);
    folded->setCaption("Folded");
    folded->setIcon(Picture::icon(sampleIcon()));
    folded->setIconAlignment(1);
    folded->CollapseContainer();
    saveWidget(host, "grad_states");

    ucGradContainer plain;
    plain.resize(240, 160);
    plain.setHeaderVisible(false);
    plain.setBackMiddleOut(false);
    plain.setBackAngle(0);
    saveWidget(plain, "grad_noheader_angle0");
}

void xpFrameAppearence(int appearence) {
    xpFrame f(nullptr, "xpFrame1");
    f.resize(220, 170);
    f.setAppearence(appearence);
    f.setHeaderText(QString("Appearence %1").arg(appearence));
    f.setFooterText("Footer");
    f.setHeaderTextAlign(1);
    f.setFooterTextAlign(4);
    f.setExpandable(true);
    f.setCloseable(true);
    f.setContainerResizable(true);
    f.setHeaderPicture(Picture::icon(sampleIcon()));
    saveWidget(f, QString("xp_theme%1").arg(appearence));
}

void xpFrameStates() {
    // The main window's tree pane.
    QWidget host;
    host.resize(220, 420);
    auto* pane = new xpFrame(&host, "xplst");
    QFont arial("Arial");
    arial.setPointSizeF(8.25);
    pane->setHeaderTextFont(arial);
    pane->setFooterTextFont(arial);
    pane->setContainerTextFont(arial);
    pane->setFooterText(QString());
    pane->setFooterBackColor(0x80FF);
    pane->setHeaderFadeColor(0xFFC0FF);
    pane->setAppearence(4);
    pane->setHeaderText("Miravel");
    pane->setGeometry(10, 10, 191, 400);
    auto* tree = new QTreeWidget(pane);
    tree->setHeaderHidden(true);
    for (int i = 1; i <= 30; ++i)
        tree->addTopLevelItem(new QTreeWidgetItem(QStringList(QString("%1 - Sura").arg(i))));
    tree->setGeometry(2, 24, 191 - 70 / 15, 400 - 100 / 15);
    pane->Refresh();
    saveWidget(host, "xp_treepane");

    xpFrame classic;
    classic.resize(220, 150);
    classic.setClassicXPStyle(true);
    classic.setHeaderText("Classic style");
    classic.Refresh();
    saveWidget(classic, "xp_classic");

    xpFrame rounded;
    rounded.resize(220, 150);
    rounded.setAppearence(2);
    rounded.setContainerShapeStyle(1);
    rounded.setContainerCornerRadius(16);
    rounded.setExpandable(true);
    rounded.setHeaderText("Folded, rounded");
    rounded.Collapse();
    saveWidget(rounded, "xp_folded_rounded");

    xpFrame custom;
    custom.resize(220, 150);
    custom.setUseCustomColors(true);
    custom.setHeaderSize(2);
    custom.setFooterSize(1);
    custom.setHeaderText("Custom colours");
    custom.setHeaderTextAlign(7);
    custom.setFooterText("Footer");
    custom.setFooterTextAlign(7);
    custom.setContainerBorderStyle(2);
    custom.setExpandable(true);
    saveWidget(custom, "xp_custom");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc > 1)
        galleryDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(galleryDir)) {
        std::fprintf(stderr, "could not make %s\n", qPrintable(galleryDir));
        return 1;
    }
    for (int theme = 0; theme <= 8; ++theme)
        gradContainerTheme(theme);
    gradContainerStates();
    for (int appearence = 0; appearence <= 11; ++appearence)
        xpFrameAppearence(appearence);
    xpFrameStates();
    std::printf("gallery written to %s\n", qPrintable(QDir(galleryDir).absolutePath()));
    return failures == 0 ? 0 : 1;
}
