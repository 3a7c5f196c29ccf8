#pragma once

#include <optional>
#include <QFont>
#include <QImage>
#include <QWidget>

#include "DrawnPanel.h"
#include "GradContainerProperties.h"
#include "OleColor.h"
#include "Picture.h"

class PropertyBag;

// A panel that holds other widgets and paints itself: an optional header with
// an angled gradient, caption and icon, a body gradient or picture, a border
// ring and independently rounded corners to which the widget is clipped.
// It can fold to its header and be dragged by it.
class ucGradContainer : public DrawnPanel {
    Q_OBJECT
public:
    explicit ucGradContainer(QWidget* parent = nullptr);

    bool AutoResize() const { return m_autoResize; }
    void setAutoResize(bool v);
    int AutoResizeOn() const { return m_autoResizeOn; }
    void setAutoResizeOn(int v);
    float BackAngle() const { return m_backAngle; }
    void setBackAngle(float v);
    OleColor BackColor1() const { return m_backColor1; }
    void setBackColor1(OleColor v);
    OleColor BackColor2() const { return m_backColor2; }
    void setBackColor2(OleColor v);
    bool BackMiddleOut() const { return m_backMiddleOut; }
    void setBackMiddleOut(bool v);
    OleColor BorderColor() const { return m_borderColor; }
    void setBorderColor(OleColor v);
    qint16 BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(qint16 v);
    QString Caption() const { return m_caption; }
    void setCaption(const QString& v);
    int CaptionAlignment() const { return m_captionAlignment; }
    void setCaptionAlignment(int v);
    OleColor CaptionColor() const { return m_captionColor; }
    void setCaptionColor(OleColor v);
    std::optional<QFont> CaptionFont() const { return m_captionFont; }
    void setCaptionFont(const std::optional<QFont>& v);
    int CurveTopLeft() const { return m_curveTopLeft; }
    void setCurveTopLeft(int v);
    int CurveTopRight() const { return m_curveTopRight; }
    void setCurveTopRight(int v);
    int CurveBottomLeft() const { return m_curveBottomLeft; }
    void setCurveBottomLeft(int v);
    int CurveBottomRight() const { return m_curveBottomRight; }
    void setCurveBottomRight(int v);
    // Stored only: changes neither painting nor input (QWidget::setEnabled is untouched).
    bool EnabledProperty() const { return m_enabled; }
    void setEnabledProperty(bool v);
    bool Expanded() const { return m_expanded; }
    float HeaderAngle() const { return m_headerAngle; }
    void setHeaderAngle(float v);
    OleColor HeaderColor1() const { return m_headerColor1; }
    void setHeaderColor1(OleColor v);
    OleColor HeaderColor2() const { return m_headerColor2; }
    void setHeaderColor2(OleColor v);
    int HeaderHeight() const { return m_headerHeight; }
    void setHeaderHeight(int v);
    bool HeaderMiddleOut() const { return m_headerMiddleOut; }
    void setHeaderMiddleOut(bool v);
    bool HeaderVisible() const { return m_headerVisible; }
    void setHeaderVisible(bool v);
    Picture Icon() const { return m_icon; }
    void setIcon(const Picture& v);
    int IconAlignment() const { return m_iconAlignment; }
    void setIconAlignment(int v);
    int IconSize() const { return m_iconSize; }
    void setIconSize(int v);
    bool Movable() const { return m_movable; }
    void setMovable(bool v);
    Picture PictureProperty() const { return m_picture; }
    void setPicture(const Picture& v);
    int Theme() const { return m_theme; }
    void setTheme(int v);
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool v);
    QWidget* hwnd() { return this; }
    const QImage& hdc() const { return m_surface; } // the painted surface

    void ExpandContainer();
    void CollapseContainer();
    void Refresh();

    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Paints the whole widget into its surface and asks for it to be shown.
    void DrawContainer();
    int GetIconLeft() const;
    int rememberedHeight() const { return m_rememberedHeight; } // host units (twips)

signals:
    void MouseMove(qint16& Button, qint16& Shift, float& X, float& Y);
    void Resize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void repaintProperties() override;

private:
    void renderSurface();
    void DrawBody(QPainter& p);
    void DrawHeader(QPainter& p);
    void DrawBorder(QPainter& p);
    void CopyParentBackground(QPainter& p);
    void ApplyTheme();
    void applyMinimumHeight();

    bool m_autoResize = GradContainerProperty::AutoResize.defaultValue;
    int m_autoResizeOn = GradContainerProperty::AutoResizeOn.defaultValue;
    float m_backAngle = GradContainerProperty::BackAngle.defaultValue;
    OleColor m_backColor1 = GradContainerProperty::BackColor1.defaultValue;
    OleColor m_backColor2 = GradContainerProperty::BackColor2.defaultValue;
    bool m_backMiddleOut = GradContainerProperty::BackMiddleOut.defaultValue;
    OleColor m_borderColor = GradContainerProperty::BorderColor.defaultValue;
    qint16 m_borderWidth = GradContainerProperty::BorderWidth.defaultValue;
    QString m_caption = QString::fromLatin1(GradContainerProperty::Caption.defaultValue);
    int m_captionAlignment = GradContainerProperty::CaptionAlignment.defaultValue;
    OleColor m_captionColor = GradContainerProperty::CaptionColor.defaultValue;
    std::optional<QFont> m_captionFont;
    int m_curveTopLeft = GradContainerProperty::CurveTopLeft.defaultValue;
    int m_curveTopRight = GradContainerProperty::CurveTopRight.defaultValue;
    int m_curveBottomLeft = GradContainerProperty::CurveBottomLeft.defaultValue;
    int m_curveBottomRight = GradContainerProperty::CurveBottomRight.defaultValue;
    bool m_enabled = GradContainerProperty::Enabled.defaultValue;
    bool m_expanded = GradContainerProperty::Expanded.defaultValue;
    float m_headerAngle = GradContainerProperty::HeaderAngle.defaultValue;
    OleColor m_headerColor1 = GradContainerProperty::HeaderColor1.defaultValue;
    OleColor m_headerColor2 = GradContainerProperty::HeaderColor2.defaultValue;
    int m_headerHeight = GradContainerProperty::HeaderHeight.defaultValue;
    bool m_headerMiddleOut = GradContainerProperty::HeaderMiddleOut.defaultValue;
    bool m_headerVisible = GradContainerProperty::HeaderVisible.defaultValue;
    Picture m_icon;
    int m_iconAlignment = GradContainerProperty::IconAlignment.defaultValue;
    int m_iconSize = GradContainerProperty::kNewIconSize;
    bool m_movable = GradContainerProperty::Movable.defaultValue;
    Picture m_picture;
    int m_theme = GradContainerProperty::Theme.defaultValue;
    bool m_transparent = GradContainerProperty::Transparent.defaultValue;

    QImage m_surface;
    QColor m_backColour = QColor(192, 192, 255);
    QImage m_backgroundPicture;
    int m_rememberedHeight = 0;
    float m_lastPointerY = 0.0f;
    int m_pressedButton = 0;
    bool m_buttonHeld = false;
    bool m_dragging = false;
    QPoint m_dragOrigin;
    bool m_inResize = false;
};
