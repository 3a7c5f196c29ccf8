#include "xpFrame.h"

#include <cmath>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include "Gradient.h"
#include "PanelAccessibility.h"
#include "PropertyBag.h"
#include "Regions.h"
#include "Twips.h"
#include "XpFrameProperties.h"

namespace {

QColor qcolour(OleColor c) {
    return QColor(toQRgb(qint32(translateOrBlack(c))));
}

// A one-pixel pen whose lines leave out their last point, as the platform's line drawing does.
QPen linePen(OleColor colour, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(qcolour(colour), 1, style, Qt::FlatCap, Qt::MiterJoin);
    return pen;
}

void polyline(QPainter& p, QPoint origin, std::initializer_list<QPoint> points) {
    QPolygon poly;
    for (const QPoint& pt : points)
        poly << origin + pt;
    p.drawPolyline(poly);
}

} // namespace

xpFrame::xpFrame(QWidget* parent, const QString& instanceName) : DrawnPanel(parent) {
    setObjectName(instanceName);
    m_headerText = instanceName;
    setAccessibleName(m_headerText);
    m_headerTextFont = m_footerTextFont = m_containerTextFont = ambientFont();
    m_label1 = new QLabel(QStringLiteral("Frame1"), this);
    m_label1->move(9, -2);
    m_label1->adjustSize();
    m_label1->hide();
    connect(qApp, &QApplication::focusChanged, this, &xpFrame::onFocusChanged);
    ApplyAppearance();
    setHdc(0);
    m_closed = false;
}

xpFrame::~xpFrame() = default;

void xpFrame::repaintProperties() {
    Refresh();
}

// --- properties -----------------------------------------------------------

void xpFrame::setHeaderText(const QString& v) {
    setAccessibleName(v);
    m_label1->setText(v);
    m_label1->adjustSize();
    assign(m_headerText, v, "HeaderText");
}
void xpFrame::setHeaderTextFont(const QFont& v) {
    assign(m_headerTextFont, v, "HeaderTextFont");
}
void xpFrame::setHeaderTextAlign(int v) {
    textFormatFor(v, m_headerTextFormat); // out of range keeps the previous placement
    assign(m_headerTextAlign, v, "HeaderTextAlign");
}
void xpFrame::setHeaderTextColor(OleColor v) {
    assign(m_headerTextColor, v, "HeaderTextColor");
}
void xpFrame::setHeaderSize(int v) {
    assign(m_headerSize, v, "HeaderSize");
}
void xpFrame::setHeaderVisible(bool v) {
    assign(m_headerVisible, v, "HeaderVisible");
}
void xpFrame::setHeaderBackColor(OleColor v) {
    assign(m_headerBackColor, v, "HeaderBackColor");
}
void xpFrame::setHeaderFadeColor(OleColor v) {
    assign(m_headerFadeColor, v, "HeaderFadeColor");
}
void xpFrame::setHeaderFillStyle(int v) {
    assign(m_headerFillStyle, v, "HeaderFillStyle");
}
void xpFrame::setHeaderPicture(const Picture& v) {
    assign(m_headerPicture, v, "HeaderPicture");
}
void xpFrame::setHeaderPictureSize(int v) {
    assign(m_headerPictureSize, v, "HeaderPictureSize");
}
void xpFrame::setHeaderPictureVisible(bool v) {
    assign(m_headerPictureVisible, v, "HeaderPictureVisible");
}
void xpFrame::setExpandable(bool v) {
    m_folded = false; // the height stays as it is
    assign(m_expandable, v && !m_classicXPStyle, "Expandable");
}
void xpFrame::setCloseable(bool v) {
    assign(m_closeable, v, "Closeable");
}
void xpFrame::setFooterText(const QString& v) {
    assign(m_footerText, v, "FooterText");
}
void xpFrame::setFooterTextFont(const QFont& v) {
    assign(m_footerTextFont, v, "footerTextFont");
}
void xpFrame::setFooterTextAlign(int v) {
    textFormatFor(v, m_footerTextFormat);
    assign(m_footerTextAlign, v, "FooterTextAlign");
}
void xpFrame::setFooterTextColor(OleColor v) {
    assign(m_footerTextColor, v, "FooterTextColor");
}
void xpFrame::setFooterSize(int v) {
    assign(m_footerSize, v, "FooterSize");
}
void xpFrame::setFooterVisible(bool v) {
    assign(m_footerVisible, v, "FooterVisible");
}
void xpFrame::setFooterBackColor(OleColor v) {
    assign(m_footerBackColor, v, "FooterBackColor");
}
void xpFrame::setFooterFadeColor(OleColor v) {
    assign(m_footerFadeColor, v, "FooterFadeColor");
}
void xpFrame::setFooterFillStyle(int v) {
    assign(m_footerFillStyle, v, "FooterFillStyle");
}
void xpFrame::setContainerBackColor(OleColor v) {
    assign(m_containerBackColor, v, "ContainerBackColor");
}
void xpFrame::setContainerFadeColor(OleColor v) {
    assign(m_containerFadeColor, v, "ContainerFadeColor");
}
void xpFrame::setContainerBorderColor(OleColor v) {
    assign(m_containerBorderColor, v, "ContainerBorderColor");
}
void xpFrame::setContainerBorderStyle(int v) {
    assign(m_containerBorderStyle, v, "ContainerBorderStyle");
}
void xpFrame::setContainerShapeStyle(int v) {
    assign(m_containerShapeStyle, v, "ContainerShapeStyle");
}
void xpFrame::setContainerCornerRadius(int v) {
    assign(m_containerCornerRadius, v, "ContainerCornerRadius");
}
void xpFrame::setContainerPicture(const Picture& v) {
    assign(m_containerPicture, v, "ContainerPicture");
}
void xpFrame::setContainerPictureSize(int v) {
    assign(m_containerPictureSize, v, "ContainerPictureSize");
}
void xpFrame::setContainerPictureVisible(bool v) {
    assign(m_containerPictureVisible, v, "ContainerPictureVisible");
}
void xpFrame::setContainerPictureBufferTop(int v) {
    assign(m_containerPictureBufferTop, v, "ContainerPictureBufferTop");
}
void xpFrame::setContainerPictureBufferLeft(int v) {
    assign(m_containerPictureBufferLeft, v, "ContainerPictureBufferLeft");
}
void xpFrame::setContainerTextFont(const QFont& v) {
    assign(m_containerTextFont, v, "ContainerTextFont");
}
void xpFrame::setContainerFillStyle(int v) {
    assign(m_containerFillStyle, v, "ContainerFillStyle");
}
void xpFrame::setContainerForeColor(OleColor v) {
    assign(m_containerForeColor, v, "ContainerForeColor");
}
void xpFrame::setContainerMoveable(bool v) {
    assign(m_containerMoveable, v, "ContainerMovable");
}
void xpFrame::setContainerResizable(bool v) {
    assign(m_containerResizable, v && !m_classicXPStyle, "ContainerResizable");
}
void xpFrame::setUseCustomColors(bool v) {
    m_useCustomColors = v;
    ApplyAppearance();
    assign(m_useCustomColors, v, "UseCustomColors");
}
void xpFrame::setAppearence(int v) {
    m_appearence = v;
    ApplyAppearance();
    assign(m_appearence, v, "Appearence");
}
void xpFrame::setCollapseButtonColor(OleColor v) {
    assign(m_collapseButtonColor, v, "CollapseButtonColor");
}
void xpFrame::setBackColor(OleColor v) {
    assign(m_backColor, v, "BackColor");
}
void xpFrame::setClassicXPStyle(bool v) {
    if (v)
        m_backColor = kButtonFace;
    assign(m_classicXPStyle, v, "ClassicXPStyle");
    ShowContainedControls();
}
void xpFrame::setZOrderOnFocus(bool v) {
    raise();
    assign(m_zOrderOnFocus, v, "ZOrderOnFocus");
}
void xpFrame::setEnabledProperty(bool v) {
    m_enabled = v;
    for (QWidget* w : containedWidgets())
        w->setEnabled(v);
    emit PropertyChanged(QStringLiteral("Enabled"));
    update();
}
void xpFrame::setClosed(bool v) {
    m_closed = v;
    emit PropertyChanged(QStringLiteral("Closed"));
}

QPaintDevice* xpFrame::hdc() {
    if (!m_buffer.isNull())
        return &m_buffer;
    return this;
}

void xpFrame::setHdc(qint32) {
    EnsureBuffer(width(), height());
}

void xpFrame::EnsureBuffer(int w, int h) {
    if (!m_buffer.isNull() && (m_buffer.width() < w || m_buffer.height() < h))
        m_buffer = QImage();
    if (m_buffer.isNull() && w > 0 && h > 0)
        m_buffer = QImage(w, h, QImage::Format_RGB32); // stays null if it cannot be made
}

// --- themes -----------------------------------------------------------------

void xpFrame::ApplyAppearance() {
    if (!m_useCustomColors)
        applyXpTheme(m_appearence, m_theme);
}

XpColours xpFrame::paintColours() const {
    if (!m_useCustomColors)
        return m_theme;
    return {m_headerBackColor,    m_headerFadeColor,     m_headerTextColor, m_collapseButtonColor,
            m_footerBackColor,    m_footerFadeColor,     m_footerTextColor, m_containerBackColor,
            m_containerFadeColor, m_containerBorderColor};
}

// --- methods ----------------------------------------------------------------

void xpFrame::Refresh() {
    update();
    DrawFrame();
}

void xpFrame::closeMe() {
    setClosed(true);
    hide();
}

void xpFrame::showMe() {
    setClosed(false);
    show();
}

void xpFrame::SmoothForm(QWidget* Frm, double Curvature) {
    if (!Frm)
        return;
    const int c = int(std::nearbyint(Curvature));
    const QRect outer = Frm->frameGeometry();
    Frm->setMask(roundRectRegion(0, 0, outer.width(), outer.height(), c, c));
}

void xpFrame::SetFolded(bool fold) {
    int newHeight = 0;
    if (fold) {
        m_expandedHeight = Twips::fromPixels(height());
        newHeight = headerHeight();
    } else {
        newHeight = Twips::toNearestPixels(m_expandedHeight);
    }
    resize(width(), std::max(0, newHeight));
    m_folded = fold;
    Refresh();
}

QList<QWidget*> xpFrame::containedWidgets() const {
    QList<QWidget*> out;
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != m_label1 && !w->isWindow())
            out << w;
    return out;
}

void xpFrame::ShowContainedControls() {
    const auto contained = containedWidgets();
    for (QWidget* w : contained)
        w->show();
    for (QWidget* w : contained)
        w->update();
}

// --- painting ----------------------------------------------------------------

void xpFrame::clipWindow() {
    const int r = m_containerShapeStyle == 1 ? m_containerCornerRadius : 0;
    const QRegion shape = roundRectRegion(0, 0, width(), height(), r, r);
    if (mask() != shape)
        setMask(shape);
}

void xpFrame::DrawFrame() {
    const int w = width();
    const int h = height();
    m_surface = QImage(std::max(1, w), std::max(1, h), QImage::Format_ARGB32_Premultiplied);
    m_surface.fill(qcolour(kButtonFace));
    QPainter p(&m_surface);
    const int r = m_containerShapeStyle == 1 ? m_containerCornerRadius : 0;
    const int hh = headerHeight();
    const int fh = footerHeight();
    const XpColours c = paintColours();

    if (!m_classicXPStyle) {
        clipWindow();
        m_label1->hide();
        const int top = m_headerVisible ? hh - 2 : 0;
        const int bottom = m_footerVisible ? h - fh : h;
        const QImage body = bodyGradientImage(w, bottom - top, qint32(translateOrBlack(c.bodyTop)),
                                              qint32(translateOrBlack(c.bodyBottom)));
        if (!body.isNull())
            p.drawImage(0, top, body);
        if (m_footerVisible) {
            UtilDrawBackground(p, c.footerBack, c.footerFade, 0, h - fh, w - 1, h,
                               m_footerFillStyle);
            DrawBarText(p, QRect(QPoint(0, h - fh), QPoint(w - 2, h - 1)), m_footerText,
                        c.footerText, m_footerTextFont, m_footerTextFormat, false);
        }
        if (m_headerVisible) {
            const int right = m_useCustomColors ? w - 2 : w - 1;
            UtilDrawBackground(p, c.headerBack, c.headerFade, 0, 0, right, hh, m_headerFillStyle);
            const int left = 3 + m_headerPictureSize;
            DrawBarText(p, QRect(left, 1, right - left, hh - 1), m_headerText, c.headerText,
                        m_headerTextFont, m_headerTextFormat, true);
        }
        p.setPen(linePen(c.border, penStyleFor(m_containerBorderStyle)));
        p.setBrush(Qt::NoBrush);
        UtilDrawShapeStyle(p, 0, 0, w - 1, h - 1, r);
    } else {
        if (mask() != QRegion(0, 0, w, h))
            setMask(QRegion(0, 0, w, h));
        m_surface.fill(qcolour(m_backColor));
        p.setPen(linePen(rgbColour(208, 208, 191), penStyleFor(m_containerBorderStyle)));
        p.setBrush(Qt::NoBrush);
        UtilDrawShapeStyle(p, 0, 4, w - 1, h - 1, 8);
        m_label1->setText(m_headerText);
        m_label1->setFont(m_headerTextFont);
        QPalette pal = m_label1->palette();
        pal.setColor(QPalette::WindowText, QColor(0, 70, 213));
        pal.setColor(QPalette::Window, qcolour(m_backColor));
        m_label1->setPalette(pal);
        m_label1->setAutoFillBackground(true); // covers the outline's top edge behind the text
        m_label1->adjustSize();
        m_label1->show();
        m_label1->raise();
    }

    if (m_headerVisible && !m_classicXPStyle) {
        if (m_headerPicture.isSet() && m_headerPictureVisible)
            DrawPicture(p, 4, int(std::nearbyint((hh - m_headerPictureSize) / 2.0)),
                        m_headerPictureSize, m_headerPicture);
        if (m_expandable)
            DrawChevronButton(p);
    }
    if (m_containerResizable && m_footerVisible && !m_folded && !m_classicXPStyle)
        DrawResizeGrip(p);
    if (m_closeable && !m_classicXPStyle)
        DrawCloseButton(p);
    if (m_containerPicture.isSet() && m_containerPictureVisible && !m_classicXPStyle) {
        const int t = m_headerVisible ? hh : 0;
        DrawPicture(p, m_containerPictureBufferLeft + 4, t + m_containerPictureBufferTop + 2,
                    m_containerPictureSize, m_containerPicture);
    }
    update();
}

void xpFrame::UtilDrawShapeStyle(QPainter& lngHdc, int lngLeft, int lngTop, int lngWidth,
                                 int lngHeight, int radius) {
    // Right and bottom are edges: the outline covers lngLeft..lngWidth - 1.
    const QRect box(lngLeft, lngTop, lngWidth - lngLeft - 1, lngHeight - lngTop - 1);
    if (box.width() < 0 || box.height() < 0)
        return;
    if (radius <= 0)
        lngHdc.drawRect(box);
    else
        lngHdc.drawRoundedRect(box, radius / 2.0, radius / 2.0);
}

void xpFrame::DrawBarText(QPainter& p, QRect rect, const QString& text, OleColor colour,
                          const QFont& font, Qt::Alignment format, bool header) {
    int left = rect.left() + 3;
    int top = rect.top() + 2;
    int right = rect.left() + rect.width() - 3;
    const int bottom = rect.top() + rect.height() - 1;
    if (header) {
        if (m_expandable)
            right -= 23;
        if (m_closeable)
            right -= 20;
        if (!m_headerPicture.isSet() || !m_headerPictureVisible)
            left -= 18;
    }
    if (right <= left || bottom <= top || text.isEmpty())
        return;
    p.save();
    p.setFont(font);
    p.setPen(qcolour(colour));
    const QRect box(left, top, right - left, bottom - top);
    p.setClipRect(box);
    p.drawText(box, int(format) | Qt::TextSingleLine, text);
    p.restore();
}

void xpFrame::DrawPicture(QPainter& p, int x, int y, int size, const Picture& picture) {
    if (!picture.isSet() || size < 1)
        return;
    if (picture.isIcon())
        p.drawImage(QRect(x, y, size, size), picture.image);
    else
        p.drawImage(x, y, withTopLeftTransparent(picture.image, size));
}

QRect xpFrame::buttonBox(bool closeButton) const {
    const int w = width();
    if (closeButton || !m_closeable)
        return QRect(QPoint(w - 23, 2), QPoint(w - 5, 18));
    return QRect(QPoint(w - 42, 2), QPoint(w - 24, 18));
}

void xpFrame::drawButtonBox(QPainter& p, const QRect& box, OleColor colour) {
    const int L = box.left();
    const int R = box.right();
    p.setPen(linePen(colour));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygon({QPoint(L + 1, 16), QPoint(L + 1, 3), QPoint(R - 2, 3),
                             QPoint(R - 2, 16), QPoint(L + 1, 16)}));
}

void xpFrame::DrawChevronButton(QPainter& p) {
    const QRect box = buttonBox(false);
    drawButtonBox(p, box, paintColours().button);
    const int L = box.left();
    const int R = box.right();
    m_chevronRegion = QRegion(L + 1, 3, (R - 2) - (L + 1), 14);
    const QPoint o(L, 2);
    if (m_folded) {
        polyline(p, o, {{5, 7}, {8, 4}, {12, 8}});
        polyline(p, o, {{6, 7}, {8, 5}, {11, 8}});
        polyline(p, o, {{5, 11}, {8, 8}, {12, 12}});
        polyline(p, o, {{6, 11}, {8, 9}, {11, 12}});
    } else {
        polyline(p, o, {{5, 4}, {8, 7}, {12, 3}});
        polyline(p, o, {{6, 4}, {8, 6}, {11, 3}});
        polyline(p, o, {{5, 8}, {8, 11}, {12, 7}});
        polyline(p, o, {{6, 8}, {8, 10}, {11, 7}});
    }
}

void xpFrame::DrawChevronButton() {
    if (m_surface.size() != size())
        return;
    // Repaint the button area from the header so the old glyph does not show through.
    QPainter p(&m_surface);
    const QRect box = buttonBox(false);
    const XpColours c = paintColours();
    if (m_headerVisible) {
        const int right = m_useCustomColors ? width() - 2 : width() - 1;
        p.setClipRect(box);
        UtilDrawBackground(p, c.headerBack, c.headerFade, 0, 0, right, headerHeight(),
                           m_headerFillStyle);
        p.setClipping(false);
    }
    DrawChevronButton(p);
    update();
}

void xpFrame::DrawCloseButton(QPainter& p) {
    const QRect box = buttonBox(true);
    drawButtonBox(p, box, paintColours().button);
    const int L = box.left();
    const int R = box.right();
    m_closeRegion = QRegion(L + 1, 3, (R - 2) - (L + 1), 14);
    const QPoint o(L, 2);
    polyline(p, o, {{5, 5}, {8, 8}, {12, 4}});
    polyline(p, o, {{6, 5}, {8, 7}, {11, 4}});
    polyline(p, o, {{5, 10}, {8, 7}, {12, 11}});
    polyline(p, o, {{6, 10}, {8, 8}, {11, 11}});
}

void xpFrame::DrawResizeGrip(QPainter& p) {
    const int w = width();
    const int h = height();
    const int L = w - 19, T = h - 19, R = w - 2, B = h - 2;
    p.setPen(linePen(paintColours().button));
    p.drawPolyline(QPolygon(
        {QPoint(R - 4, T + 1), QPoint(L - 1, B - 2), QPoint(L, B - 2), QPoint(R - 3, T + 1)}));
    p.drawPolyline(QPolygon(
        {QPoint(R - 4, T + 6), QPoint(L + 4, B - 2), QPoint(L + 5, B - 2), QPoint(R - 3, T + 6)}));
    m_gripRegion = QRegion(w - 18, h - 18, 14, 18);
}

void xpFrame::DrawResizePreview() {
    clipWindow();
    m_surface =
        QImage(std::max(1, width()), std::max(1, height()), QImage::Format_ARGB32_Premultiplied);
    m_surface.fill(qcolour(paintColours().bodyTop));
    for (QWidget* w : containedWidgets())
        w->hide();
}

void xpFrame::paintEvent(QPaintEvent*) {
    if (m_cResize)
        DrawResizePreview();
    else if (m_surface.size() != size())
        DrawFrame();
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, m_surface);
}

void xpFrame::resizeEvent(QResizeEvent*) {
    setHdc(0);
}

// --- pointer, keyboard, focus ------------------------------------------------

void xpFrame::mousePressEvent(QMouseEvent* event) {
    qint16 button = buttonNumber(event->button());
    qint16 shift = shiftState(event->modifiers());
    float x = float(event->position().x());
    float y = float(event->position().y());
    emit MouseDown(button, shift, x, y);
    if (event->button() == Qt::LeftButton) {
        m_downX = int(std::nearbyint(event->position().x()));
        m_downY = int(std::nearbyint(event->position().y()));
        if (m_gripRegion.contains(event->position().toPoint())) {
            setCursor(Qt::SizeFDiagCursor);
        } else {
            m_cMove = true;
            setCursor(Qt::ArrowCursor);
        }
    }
    m_label1->update();
}

void xpFrame::mouseMoveEvent(QMouseEvent* event) {
    qint16 button = buttonNumber(event->buttons());
    qint16 shift = shiftState(event->modifiers());
    float x = float(event->position().x());
    float y = float(event->position().y());
    emit MouseMove(button, shift, x, y, m_cResize, m_cMove);
    if (m_cResize)
        m_cMove = false;

    const QPoint pos = event->position().toPoint();
    if (!m_cMove && m_gripRegion.contains(pos)) {
        setCursor(Qt::SizeFDiagCursor);
        if (event->buttons() & Qt::LeftButton) {
            m_cResize = true;
            m_cMove = false;
        }
    } else {
        setCursor(Qt::ArrowCursor);
    }

    if (m_cMove && m_containerMoveable && !m_classicXPStyle) {
        const QPoint target = mapToParent(pos) - QPoint(m_downX, m_downY);
        move(target);
        int left = target.x();
        int top = target.y();
        emit Move(left, top);
    }

    if (m_cResize && m_containerResizable && !m_classicXPStyle) {
        int newWidth = pos.x();
        int newHeight = pos.y();
        const bool pictureShown = m_containerPicture.isSet() && m_containerPictureVisible;
        int minHeight =
            (m_headerVisible ? headerHeight() : 0) + (m_footerVisible ? footerHeight() : 0);
        if (pictureShown)
            minHeight += m_containerPictureBufferTop + m_containerPictureSize + 4;
        int minWidth =
            pictureShown ? m_containerPictureBufferLeft + 64 + m_containerPictureSize : 64;
        if (m_expandable)
            minWidth += 22;
        if (m_closeable)
            minWidth += 22;
        newWidth = std::max(newWidth, minWidth);
        newHeight = std::max(newHeight, minHeight);
        resize(newWidth, newHeight);
        if (parentWidget())
            parentWidget()->update();
        update(); // paints the one-colour preview while the resize lasts
        emit Resize(newWidth, newHeight);
    }
}

void xpFrame::mouseReleaseEvent(QMouseEvent* event) {
    qint16 button = buttonNumber(event->button());
    qint16 shift = shiftState(event->modifiers());
    float x = float(event->position().x());
    float y = float(event->position().y());
    emit MouseUp(button, shift, x, y);
    if (event->button() == Qt::LeftButton) {
        const QPoint pos = event->position().toPoint();
        if (m_closeable && m_closeRegion.contains(pos))
            closeMe();
        if (m_chevronRegion.contains(pos) && m_expandable) {
            m_cMove = false;
            int fh = footerHeight();
            int hh = headerHeight();
            if (m_folded) {
                SetFolded(false);
                bool collapse = false;
                int h = Twips::fromPixels(height());
                emit ChevronClick(button, shift, x, y, collapse, fh, hh, h);
            } else {
                bool collapse = true;
                int h = Twips::fromPixels(height());
                emit ChevronClick(button, shift, x, y, collapse, fh, hh, h);
                SetFolded(true);
            }
            DrawChevronButton();
        }
        DrawFrame();
        m_cMove = false;
        m_cResize = false;
        ShowContainedControls();
    }
    if (rect().contains(event->position().toPoint()))
        emit Click();
    m_label1->update();
}

void xpFrame::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    emit DblClick();
    m_label1->update();
}

void xpFrame::onFocusChanged(QWidget* old, QWidget* now) {
    const bool inside = now && (now == this || isAncestorOf(now));
    const bool wasInside = old && (old == this || isAncestorOf(old));
    if (inside && !wasInside) {
        if (m_zOrderOnFocus)
            OnTop();
        m_label1->update();
    }
}

// --- persistence -------------------------------------------------------------

void xpFrame::ReadProperties(const PropertyBag& bag) {
    using namespace bagread;
    using bagprop::read;
    const QFont ambient = ambientFont();
    m_backColor = read(bag, XpFrameProperty::BackColor);
    m_headerTextFont = bagread::font(bag, "HeaderTextFont", ambient);
    m_footerTextFont = bagread::font(bag, "footerTextFont", ambient);
    m_containerTextFont = bagread::font(bag, "ContainerTextFont", ambient);
    m_useCustomColors = read(bag, XpFrameProperty::UseCustomColors);
    m_expandable = read(bag, XpFrameProperty::Expandable);
    m_headerVisible = read(bag, XpFrameProperty::HeaderVisible);
    m_footerVisible = read(bag, XpFrameProperty::FooterVisible);
    m_headerText = read(bag, XpFrameProperty::HeaderText);
    m_footerText = read(bag, XpFrameProperty::FooterText);
    m_headerTextAlign = read(bag, XpFrameProperty::HeaderTextAlign);
    m_footerTextAlign = read(bag, XpFrameProperty::FooterTextAlign);
    m_headerFillStyle = read(bag, XpFrameProperty::HeaderFillStyle);
    m_footerFillStyle = read(bag, XpFrameProperty::FooterFillStyle);
    m_containerFillStyle = read(bag, XpFrameProperty::ContainerFillStyle);
    m_headerTextColor = read(bag, XpFrameProperty::HeaderTextColor);
    m_footerTextColor = read(bag, XpFrameProperty::FooterTextColor);
    m_containerForeColor = read(bag, XpFrameProperty::ContainerForeColor);
    m_headerBackColor = read(bag, XpFrameProperty::HeaderBackColor);
    m_footerBackColor = read(bag, XpFrameProperty::FooterBackColor);
    m_containerBackColor = read(bag, XpFrameProperty::ContainerBackColor);
    m_headerFadeColor = read(bag, XpFrameProperty::HeaderFadeColor);
    m_footerFadeColor = read(bag, XpFrameProperty::FooterFadeColor);
    m_containerFadeColor = read(bag, XpFrameProperty::ContainerFadeColor);
    m_containerBorderColor = read(bag, XpFrameProperty::ContainerBorderColor);
    m_containerBorderStyle = read(bag, XpFrameProperty::ContainerBorderStyle);
    m_containerShapeStyle = read(bag, XpFrameProperty::ContainerShapeStyle);
    m_containerCornerRadius = read(bag, XpFrameProperty::ContainerCornerRadius);
    m_appearence = read(bag, XpFrameProperty::Appearence);
    m_enabled = read(bag, XpFrameProperty::Enabled);
    m_headerSize = read(bag, XpFrameProperty::HeaderSize);
    m_footerSize = read(bag, XpFrameProperty::FooterSize);
    m_collapseButtonColor = read(bag, XpFrameProperty::CollapseButtonColor);
    m_headerPicture = picture(bag, "HeaderPicture");
    m_headerPictureSize = read(bag, XpFrameProperty::HeaderPictureSize);
    m_headerPictureVisible = read(bag, XpFrameProperty::HeaderPictureVisible);
    m_containerPicture = picture(bag, "ContainerPicture");
    m_containerPictureSize = read(bag, XpFrameProperty::ContainerPictureSize);
    m_containerPictureVisible = read(bag, XpFrameProperty::ContainerPictureVisible);
    m_containerPictureBufferTop = read(bag, XpFrameProperty::ContainerPictureBufferTop);
    m_containerPictureBufferLeft = read(bag, XpFrameProperty::ContainerPictureBufferLeft);
    m_containerResizable = read(bag, XpFrameProperty::ContainerResizable);
    m_containerMoveable = read(bag, XpFrameProperty::ContainerMovable);
    m_classicXPStyle = read(bag, XpFrameProperty::ClassicXPStyle);
    m_zOrderOnFocus = read(bag, XpFrameProperty::ZOrderOnFocus);
    m_closeable = read(bag, XpFrameProperty::Closeable);
    setAccessibleName(m_headerText);
    m_label1->setText(m_headerText);
    m_label1->adjustSize();
    for (QWidget* w : containedWidgets())
        w->setEnabled(m_enabled);

    ApplyAppearance();
    m_expandedHeight = Twips::fromPixels(height());
    textFormatFor(m_headerTextAlign, m_headerTextFormat);
    textFormatFor(m_footerTextAlign, m_footerTextFormat);
    m_closed = read(bag, XpFrameProperty::Closed);
    Refresh();
}

void xpFrame::WriteProperties(PropertyBag& bag) const {
    const QFont ambient = ambientFont();
    bagprop::write(bag, XpFrameProperty::BackColor, m_backColor);
    bag.WriteProperty("HeaderTextFont", m_headerTextFont, ambient);
    bag.WriteProperty("footerTextFont", m_footerTextFont, ambient);
    bag.WriteProperty("ContainerTextFont", m_containerTextFont, ambient);
    bagprop::write(bag, XpFrameProperty::UseCustomColors, m_useCustomColors);
    bagprop::write(bag, XpFrameProperty::Expandable, m_expandable);
    bagprop::write(bag, XpFrameProperty::HeaderVisible, m_headerVisible);
    bagprop::write(bag, XpFrameProperty::FooterVisible, m_footerVisible);
    bagprop::write(bag, XpFrameProperty::HeaderText, m_headerText);
    // always stored, even when empty
    bag.WriteProperty(QString::fromLatin1(XpFrameProperty::FooterText.key), m_footerText);
    bagprop::write(bag, XpFrameProperty::HeaderTextAlign, m_headerTextAlign);
    bagprop::write(bag, XpFrameProperty::FooterTextAlign, m_footerTextAlign);
    bagprop::write(bag, XpFrameProperty::HeaderFillStyle, m_headerFillStyle);
    bagprop::write(bag, XpFrameProperty::FooterFillStyle, m_footerFillStyle);
    bagprop::write(bag, XpFrameProperty::ContainerFillStyle, m_containerFillStyle);
    bagprop::write(bag, XpFrameProperty::HeaderTextColor, m_headerTextColor);
    bagprop::write(bag, XpFrameProperty::FooterTextColor, m_footerTextColor);
    bagprop::write(bag, XpFrameProperty::ContainerForeColor, m_containerForeColor);
    bagprop::write(bag, XpFrameProperty::HeaderBackColor, m_headerBackColor);
    bagprop::write(bag, XpFrameProperty::FooterBackColor, m_footerBackColor);
    bagprop::write(bag, XpFrameProperty::ContainerBackColor, m_containerBackColor);
    bagprop::write(bag, XpFrameProperty::HeaderFadeColor, m_headerFadeColor);
    bagprop::write(bag, XpFrameProperty::FooterFadeColor, m_footerFadeColor);
    bagprop::write(bag, XpFrameProperty::ContainerFadeColor, m_containerFadeColor);
    bagprop::write(bag, XpFrameProperty::ContainerBorderColor, m_containerBorderColor);
    bagprop::write(bag, XpFrameProperty::ContainerBorderStyle, m_containerBorderStyle);
    bagprop::write(bag, XpFrameProperty::ContainerShapeStyle, m_containerShapeStyle);
    bagprop::write(bag, XpFrameProperty::ContainerCornerRadius, m_containerCornerRadius);
    bagprop::write(bag, XpFrameProperty::Appearence, m_appearence);
    bagprop::write(bag, XpFrameProperty::Enabled, m_enabled);
    bagprop::write(bag, XpFrameProperty::HeaderSize, m_headerSize);
    bagprop::write(bag, XpFrameProperty::FooterSize, m_footerSize);
    bagprop::write(bag, XpFrameProperty::HeaderText, m_headerText);
    bagprop::write(bag, XpFrameProperty::FooterText, m_footerText);
    if (m_headerPicture.isSet())
        bag.WriteProperty("HeaderPicture", pictureValue(m_headerPicture));
    bagprop::write(bag, XpFrameProperty::HeaderPictureSize, m_headerPictureSize);
    bagprop::write(bag, XpFrameProperty::HeaderPictureVisible, m_headerPictureVisible);
    if (m_containerPicture.isSet())
        bag.WriteProperty("ContainerPicture", pictureValue(m_containerPicture));
    bagprop::write(bag, XpFrameProperty::ContainerPictureSize, m_containerPictureSize);
    bagprop::write(bag, XpFrameProperty::ContainerPictureVisible, m_containerPictureVisible);
    bagprop::write(bag, XpFrameProperty::ContainerPictureBufferTop, m_containerPictureBufferTop);
    bagprop::write(bag, XpFrameProperty::ContainerPictureBufferLeft, m_containerPictureBufferLeft);
    bagprop::write(bag, XpFrameProperty::ContainerResizable, m_containerResizable);
    bagprop::write(bag, XpFrameProperty::ContainerMovable, m_containerMoveable);
    bagprop::write(bag, XpFrameProperty::ClassicXPStyle, m_classicXPStyle);
    bagprop::write(bag, XpFrameProperty::ZOrderOnFocus, m_zOrderOnFocus);
    bagprop::write(bag, XpFrameProperty::Closeable, m_closeable);
    bagprop::write(bag, XpFrameProperty::Closed, m_closed);
}
