#include "ucGradContainer.h"

#include <cmath>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "GradContainerProperties.h"
#include "Gradient.h"
#include "GradThemes.h"
#include "PanelAccessibility.h"
#include "PropertyBag.h"
#include "Regions.h"
#include "Twips.h"

namespace {

int nearestInt(double v) {
    return int(std::nearbyint(v));
}

float clampAngle(float v) {
    if (std::isnan(v) || v < 0.0f)
        return 0.0f;
    return v > 360.0f ? 360.0f : v;
}

} // namespace

ucGradContainer::ucGradContainer(QWidget* parent) : DrawnPanel(parent) {
    setAccessibleName(m_caption);
    m_captionFont = ambientFont();
    applyMinimumHeight();
}

void ucGradContainer::repaintProperties() {
    DrawContainer();
}

void ucGradContainer::setAutoResize(bool v) {
    m_autoResize = v;
    emit PropertyChanged(QStringLiteral("AutoResize"));
}
void ucGradContainer::setAutoResizeOn(int v) {
    m_autoResizeOn = v;
    emit PropertyChanged(QStringLiteral("AutoResizeOn"));
}
void ucGradContainer::setBackAngle(float v) {
    assign(m_backAngle, clampAngle(v), "BackAngle");
}
void ucGradContainer::setBackColor1(OleColor v) {
    assign(m_backColor1, v, "BackColor1");
}
void ucGradContainer::setBackColor2(OleColor v) {
    assign(m_backColor2, v, "BackColor2");
}
void ucGradContainer::setBackMiddleOut(bool v) {
    assign(m_backMiddleOut, v, "BackMiddleOut");
}
void ucGradContainer::setBorderColor(OleColor v) {
    assign(m_borderColor, v, "BorderColor");
}
void ucGradContainer::setBorderWidth(qint16 v) {
    assign(m_borderWidth, v, "BorderWidth");
}
void ucGradContainer::setCaption(const QString& v) {
    setAccessibleName(v); // the caption it shows, or would show with its header
    assign(m_caption, v, "Caption");
}
void ucGradContainer::setCaptionAlignment(int v) {
    assign(m_captionAlignment, v, "CaptionAlignment");
}
void ucGradContainer::setCaptionColor(OleColor v) {
    assign(m_captionColor, v, "CaptionColor");
}
void ucGradContainer::setCaptionFont(const std::optional<QFont>& v) {
    assign(m_captionFont, v, "CaptionFont");
}
void ucGradContainer::setCurveTopLeft(int v) {
    assign(m_curveTopLeft, v, "CurveTopLeft");
}
void ucGradContainer::setCurveTopRight(int v) {
    assign(m_curveTopRight, v, "CurveTopRight");
}
void ucGradContainer::setCurveBottomLeft(int v) {
    assign(m_curveBottomLeft, v, "CurveBottomLeft");
}
void ucGradContainer::setCurveBottomRight(int v) {
    assign(m_curveBottomRight, v, "CurveBottomRight");
}
void ucGradContainer::setEnabledProperty(bool v) {
    m_enabled = v;
    emit PropertyChanged(QStringLiteral("Enabled"));
}
void ucGradContainer::setHeaderAngle(float v) {
    assign(m_headerAngle, clampAngle(v), "HeaderAngle");
}
void ucGradContainer::setHeaderColor1(OleColor v) {
    assign(m_headerColor1, v, "HeaderColor1");
}
void ucGradContainer::setHeaderColor2(OleColor v) {
    assign(m_headerColor2, v, "HeaderColor2");
}
void ucGradContainer::setHeaderHeight(int v) {
    m_headerHeight = v;
    applyMinimumHeight();
    assign(m_headerHeight, v, "HeaderHeight");
}
void ucGradContainer::setHeaderMiddleOut(bool v) {
    assign(m_headerMiddleOut, v, "HeaderMiddleOut");
}
void ucGradContainer::setHeaderVisible(bool v) {
    assign(m_headerVisible, v, "HeaderVisible");
}
void ucGradContainer::setIcon(const Picture& v) {
    assign(m_icon, v, "HeaderIcon");
}
void ucGradContainer::setIconAlignment(int v) {
    assign(m_iconAlignment, v, "IconAlignment");
}
void ucGradContainer::setIconSize(int v) {
    assign(m_iconSize, v, "IconSize");
}
void ucGradContainer::setMovable(bool v) {
    m_movable = v;
    emit PropertyChanged(QStringLiteral("Movable"));
}
void ucGradContainer::setPicture(const Picture& v) {
    assign(m_picture, v, "Picture");
}
void ucGradContainer::setTheme(int v) {
    m_theme = v;
    emit PropertyChanged(QStringLiteral("Theme"));
    ApplyTheme();
}
void ucGradContainer::setTransparent(bool v) {
    assign(m_transparent, v, "Transparent");
    repaint();
}

void ucGradContainer::applyMinimumHeight() {
    setMinimumHeight(std::max(0, m_headerHeight));
}

void ucGradContainer::ApplyTheme() {
    const auto colours = gradTheme(m_theme);
    if (!colours)
        return;
    setHeaderColor2(colours->headerColor2);
    setHeaderColor1(colours->headerColor1);
    setBackColor2(colours->backColor2);
    setBackColor1(colours->backColor1);
    setBorderColor(colours->borderColor);
    setCaptionColor(colours->captionColor);
}

void ucGradContainer::Refresh() {
    DrawContainer();
    repaint();
}

void ucGradContainer::DrawContainer() {
    renderSurface();
    update();
}

void ucGradContainer::renderSurface() {
    const int w = std::max(0, width());
    const int h = std::max(0, height());
    m_surface = QImage(std::max(1, w), std::max(1, h), QImage::Format_ARGB32_Premultiplied);
    m_surface.fill(m_backColour);
    QPainter p(&m_surface);
    if (!m_backgroundPicture.isNull())
        p.drawImage(0, 0, m_backgroundPicture);
    if (m_transparent) {
        CopyParentBackground(p);
        DrawBorder(p);
        if (m_headerVisible)
            DrawHeader(p);
    } else {
        if (m_expanded)
            DrawBody(p);
        if (m_headerVisible)
            DrawHeader(p);
        DrawBorder(p);
    }
}

void ucGradContainer::DrawBody(QPainter& p) {
    if (IsPictureSet(m_picture)) {
        m_backgroundPicture = m_picture.image;
        p.drawImage(0, 0, m_backgroundPicture);
        return;
    }
    m_backgroundPicture = QImage();
    const qint32 c1 = TranslateColor(m_backColor1);
    const qint32 c2 = TranslateColor(m_backColor2);
    if (m_headerVisible)
        PaintGradient(p, 0, m_headerHeight, width(), height() - m_headerHeight - m_borderWidth, c1,
                      c2, m_backAngle, m_backMiddleOut);
    else
        PaintGradient(p, 0, 0, width(), height(), c1, c2, m_backAngle, m_backMiddleOut);
}

void ucGradContainer::DrawHeader(QPainter& p) {
    if (!m_captionFont)
        return;
    const int w = width();
    if (!m_transparent)
        PaintGradient(p, 0, 0, w, m_headerHeight, TranslateColor(m_headerColor1),
                      TranslateColor(m_headerColor2), m_headerAngle, m_headerMiddleOut);

    p.setFont(*m_captionFont);
    p.setPen(QColor(toQRgb(TranslateColor(m_captionColor))));
    const QFontMetrics fm(*m_captionFont, &m_surface);
    const int a = fm.horizontalAdvance(QLatin1Char('A'));
    const int tw = fm.horizontalAdvance(m_caption);
    const int th = fm.height();
    int left = 0;
    if (m_captionAlignment == 2)
        left = nearestInt((w - tw) / 2.0);
    else if (m_captionAlignment != 0)
        left = w - tw - a;
    else
        left = IsPictureSet(m_icon) ? m_headerHeight + a : a;
    const int top = nearestInt((m_headerHeight - th) / 2.0);
    p.save();
    const QRect textRect(left, top, tw, th);
    p.setClipRect(textRect);
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_caption);
    p.restore();

    if (IsPictureSet(m_icon)) {
        const int x = GetIconLeft();
        if (m_iconSize != 0)
            p.drawImage(QRect(x, 2, m_headerHeight - 2, m_headerHeight - 3), m_icon.image);
        else
            p.drawImage(x, 2, m_icon.image);
    }
}

int ucGradContainer::GetIconLeft() const {
    if (m_iconAlignment == 0)
        return 2 * m_borderWidth + 3;
    if (m_iconSize == 1)
        return width() - m_headerHeight - 3 - m_borderWidth;
    return width() - m_icon.image.width() - 3 - m_borderWidth;
}

void ucGradContainer::DrawBorder(QPainter& p) {
    const int w = width();
    const int h = height();
    const int b = m_borderWidth;
    const QRegion outer = CreateRoundedRegion(0, 0, w, h, m_curveTopLeft, m_curveTopRight,
                                              m_curveBottomLeft, m_curveBottomRight);
    const QRegion inner = CreateRoundedRegion(b, b, w - b, h - b, m_curveTopLeft, m_curveTopRight,
                                              m_curveBottomLeft, m_curveBottomRight);
    const QRegion ring = outer - inner;
    const QColor colour(toQRgb(TranslateColor(m_borderColor)));
    for (const QRect& r : ring)
        p.fillRect(r, colour);
    // The window is clipped to the outer shape: outside it nothing is drawn or hit.
    if (mask() != outer)
        setMask(outer);
}

void ucGradContainer::CopyParentBackground(QPainter& p) {
    QWidget* container = parentWidget();
    if (!container)
        return;
    // Only the container's own painting, not its other children (nor this widget).
    QImage beneath(m_surface.size(), QImage::Format_ARGB32_Premultiplied);
    beneath.fill(m_backColour);
    container->render(&beneath, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    p.drawImage(0, 0, beneath);
}

void ucGradContainer::CollapseContainer() {
    if (!m_expanded)
        return;
    m_rememberedHeight = Twips::fromPixels(height());
    m_surface.fill(m_backColour);
    QWidget* host = window();
    m_backColour = (host && host != this ? host : this)->palette().color(QPalette::Window);
    m_expanded = false;
    resize(width(), m_headerHeight);
    QCoreApplication::processEvents();
}

void ucGradContainer::ExpandContainer() {
    if (m_expanded)
        return;
    m_surface.fill(m_backColour);
    m_expanded = true;
    resize(width(), Twips::toPixels(m_rememberedHeight));
    QCoreApplication::processEvents();
    DrawContainer();
}

void ucGradContainer::paintEvent(QPaintEvent*) {
    if (m_transparent || m_surface.size() != size())
        renderSurface();
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, m_surface);
}

void ucGradContainer::resizeEvent(QResizeEvent*) {
    if (height() < m_headerHeight) {
        resize(width(), m_headerHeight);
        return;
    }
    DrawContainer();
    emit Resize();
}

void ucGradContainer::showEvent(QShowEvent*) {
    DrawContainer();
}

void ucGradContainer::mousePressEvent(QMouseEvent* event) {
    m_pressedButton = buttonNumber(event->button());
    m_buttonHeld = true;
    // The press point is the latest pointer position known (a press can come without a move).
    m_lastPointerY = float(event->position().y());
    m_dragOrigin = event->position().toPoint();
    qint16 button = qint16(m_pressedButton);
    qint16 shift = shiftState(event->modifiers());
    float x = float(event->position().x());
    float y = float(event->position().y());
    emit MouseDown(button, shift, x, y);
}

void ucGradContainer::mouseReleaseEvent(QMouseEvent* event) {
    m_buttonHeld = false;
    m_dragging = false;
    qint16 button = buttonNumber(event->button());
    qint16 shift = shiftState(event->modifiers());
    float x = float(event->position().x());
    float y = float(event->position().y());
    emit MouseUp(button, shift, x, y);
    if (rect().contains(event->position().toPoint()))
        emit Click();
}

void ucGradContainer::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    m_lastPointerY = float(pos.y());
    if (!m_dragging && m_headerVisible && m_buttonHeld && pos.y() < m_headerHeight && m_movable &&
        m_pressedButton == 1)
        m_dragging = true;
    // Interactive move: the widget follows the pointer until the button is released.
    if (m_dragging)
        move(mapToParent(pos.toPoint()) - m_dragOrigin);
    qint16 button = buttonNumber(event->buttons());
    qint16 shift = shiftState(event->modifiers());
    float x = float(pos.x());
    float y = float(pos.y());
    emit MouseMove(button, shift, x, y);
}

void ucGradContainer::mouseDoubleClickEvent(QMouseEvent* event) {
    m_pressedButton = buttonNumber(event->button());
    m_buttonHeld = true;
    m_lastPointerY = float(event->position().y());
    const bool rightRule = m_pressedButton == 2 && m_autoResizeOn == 1;
    const bool leftRule = m_pressedButton == 1 && m_autoResizeOn == 0;
    if (m_headerVisible && m_lastPointerY < m_headerHeight && m_autoResize &&
        (rightRule || leftRule)) {
        if (m_expanded)
            CollapseContainer();
        else
            ExpandContainer();
    }
    emit DblClick();
}

void ucGradContainer::ReadProperties(const PropertyBag& bag) {
    using namespace bagread;
    using bagprop::read;
    m_headerAngle = read(bag, GradContainerProperty::HeaderAngle);
    m_backAngle = read(bag, GradContainerProperty::BackAngle);
    m_iconSize = read(bag, GradContainerProperty::IconSize);
    m_headerColor2 = read(bag, GradContainerProperty::HeaderColor2);
    m_headerColor1 = read(bag, GradContainerProperty::HeaderColor1);
    m_backColor2 = read(bag, GradContainerProperty::BackColor2);
    m_backColor1 = read(bag, GradContainerProperty::BackColor1);
    m_borderColor = read(bag, GradContainerProperty::BorderColor);
    m_captionColor = read(bag, GradContainerProperty::CaptionColor);
    m_caption = read(bag, GradContainerProperty::Caption);
    setAccessibleName(m_caption);
    m_captionAlignment = read(bag, GradContainerProperty::CaptionAlignment);
    m_headerHeight = read(bag, GradContainerProperty::HeaderHeight);
    m_captionFont = bagread::font(bag, "CaptionFont", ambientFont());
    m_icon = picture(bag, "HeaderIcon");
    m_enabled = read(bag, GradContainerProperty::Enabled);
    m_borderWidth = read(bag, GradContainerProperty::BorderWidth);
    m_backMiddleOut = read(bag, GradContainerProperty::BackMiddleOut);
    m_headerMiddleOut = read(bag, GradContainerProperty::HeaderMiddleOut);
    m_headerVisible = read(bag, GradContainerProperty::HeaderVisible);
    m_curveTopLeft = read(bag, GradContainerProperty::CurveTopLeft);
    m_curveTopRight = read(bag, GradContainerProperty::CurveTopRight);
    m_curveBottomLeft = read(bag, GradContainerProperty::CurveBottomLeft);
    m_curveBottomRight = read(bag, GradContainerProperty::CurveBottomRight);
    m_theme = read(bag, GradContainerProperty::Theme); // colours come from their own keys
    m_expanded = read(bag, GradContainerProperty::Expanded);
    m_autoResize = read(bag, GradContainerProperty::AutoResize);
    m_autoResizeOn = read(bag, GradContainerProperty::AutoResizeOn);
    m_movable = read(bag, GradContainerProperty::Movable);
    m_iconAlignment = read(bag, GradContainerProperty::IconAlignment);
    m_transparent = read(bag, GradContainerProperty::Transparent);
    m_picture = picture(bag, "Picture");
    applyMinimumHeight();
    DrawContainer();
}

void ucGradContainer::WriteProperties(PropertyBag& bag) const {
    bagprop::write(bag, GradContainerProperty::HeaderAngle, m_headerAngle);
    bagprop::write(bag, GradContainerProperty::BackAngle, m_backAngle);
    bagprop::write(bag, GradContainerProperty::IconSize, m_iconSize);
    bagprop::write(bag, GradContainerProperty::HeaderColor2, m_headerColor2);
    bagprop::write(bag, GradContainerProperty::HeaderColor1, m_headerColor1);
    bagprop::write(bag, GradContainerProperty::BackColor2, m_backColor2);
    bagprop::write(bag, GradContainerProperty::BackColor1, m_backColor1);
    bagprop::write(bag, GradContainerProperty::BorderColor, m_borderColor);
    bagprop::write(bag, GradContainerProperty::CaptionColor, m_captionColor);
    bagprop::write(bag, GradContainerProperty::Caption, m_caption);
    bagprop::write(bag, GradContainerProperty::CaptionAlignment, m_captionAlignment);
    bagprop::write(bag, GradContainerProperty::HeaderHeight, m_headerHeight);
    if (m_captionFont)
        bag.WriteProperty("CaptionFont", *m_captionFont, ambientFont());
    if (m_icon.isSet())
        bag.WriteProperty("HeaderIcon", pictureValue(m_icon));
    bagprop::write(bag, GradContainerProperty::Enabled, m_enabled);
    bagprop::write(bag, GradContainerProperty::BorderWidth, m_borderWidth);
    bagprop::write(bag, GradContainerProperty::BackMiddleOut, m_backMiddleOut);
    bagprop::write(bag, GradContainerProperty::HeaderMiddleOut, m_headerMiddleOut);
    bagprop::write(bag, GradContainerProperty::HeaderVisible, m_headerVisible);
    bagprop::write(bag, GradContainerProperty::CurveTopLeft, m_curveTopLeft);
    bagprop::write(bag, GradContainerProperty::CurveTopRight, m_curveTopRight);
    bagprop::write(bag, GradContainerProperty::CurveBottomLeft, m_curveBottomLeft);
    bagprop::write(bag, GradContainerProperty::CurveBottomRight, m_curveBottomRight);
    bagprop::write(bag, GradContainerProperty::Theme, m_theme);
    bagprop::write(bag, GradContainerProperty::Expanded, m_expanded);
    bagprop::write(bag, GradContainerProperty::AutoResize, m_autoResize);
    bagprop::write(bag, GradContainerProperty::AutoResizeOn, m_autoResizeOn);
    bagprop::write(bag, GradContainerProperty::Movable, m_movable);
    bagprop::write(bag, GradContainerProperty::IconAlignment, m_iconAlignment);
    bagprop::write(bag, GradContainerProperty::Transparent, m_transparent);
    if (m_picture.isSet())
        bag.WriteProperty("Picture", pictureValue(m_picture));
}
