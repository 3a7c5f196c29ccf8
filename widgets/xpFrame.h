#pragma once

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include "DrawnPanel.h"
#include "OleColor.h"
#include "Picture.h"
#include "XpFrameProperties.h"
#include "XpStyle.h"

class PropertyBag;
class QLabel;
class QPainter;

// A container drawn like a task-pane group: a header bar (gradient, caption,
// picture, fold and close buttons), a vertical body gradient with an optional
// picture, a footer bar with a resize grip, and a one-pixel outline to whose
// shape the window is clipped. The host places its own widgets inside.
class xpFrame : public DrawnPanel {
    Q_OBJECT
public:
    explicit xpFrame(QWidget* parent = nullptr,
                     const QString& instanceName = QStringLiteral("xpFrame1"));
    ~xpFrame() override;

    // Properties (see the property bag keys in WriteProperties).
    QString HeaderText() const { return m_headerText; }
    void setHeaderText(const QString& v);
    QFont HeaderTextFont() const { return m_headerTextFont; }
    void setHeaderTextFont(const QFont& v);
    int HeaderTextAlign() const { return m_headerTextAlign; }
    void setHeaderTextAlign(int v);
    OleColor HeaderTextColor() const { return m_headerTextColor; }
    void setHeaderTextColor(OleColor v);
    int HeaderSize() const { return m_headerSize; }
    void setHeaderSize(int v);
    bool HeaderVisible() const { return m_headerVisible; }
    void setHeaderVisible(bool v);
    OleColor HeaderBackColor() const { return m_headerBackColor; }
    void setHeaderBackColor(OleColor v);
    OleColor HeaderFadeColor() const { return m_headerFadeColor; }
    void setHeaderFadeColor(OleColor v);
    int HeaderFillStyle() const { return m_headerFillStyle; }
    void setHeaderFillStyle(int v);
    Picture HeaderPicture() const { return m_headerPicture; }
    void setHeaderPicture(const Picture& v);
    int HeaderPictureSize() const { return m_headerPictureSize; }
    void setHeaderPictureSize(int v);
    bool HeaderPictureVisible() const { return m_headerPictureVisible; }
    void setHeaderPictureVisible(bool v);
    bool Expandable() const { return m_expandable; }
    void setExpandable(bool v);
    bool Closeable() const { return m_closeable; }
    void setCloseable(bool v);
    QString FooterText() const { return m_footerText; }
    void setFooterText(const QString& v);
    QFont FooterTextFont() const { return m_footerTextFont; }
    void setFooterTextFont(const QFont& v);
    int FooterTextAlign() const { return m_footerTextAlign; }
    void setFooterTextAlign(int v);
    OleColor FooterTextColor() const { return m_footerTextColor; }
    void setFooterTextColor(OleColor v);
    int FooterSize() const { return m_footerSize; }
    void setFooterSize(int v);
    bool FooterVisible() const { return m_footerVisible; }
    void setFooterVisible(bool v);
    OleColor FooterBackColor() const { return m_footerBackColor; }
    void setFooterBackColor(OleColor v);
    OleColor FooterFadeColor() const { return m_footerFadeColor; }
    void setFooterFadeColor(OleColor v);
    int FooterFillStyle() const { return m_footerFillStyle; }
    void setFooterFillStyle(int v);
    OleColor ContainerBackColor() const { return m_containerBackColor; }
    void setContainerBackColor(OleColor v);
    OleColor ContainerFadeColor() const { return m_containerFadeColor; }
    void setContainerFadeColor(OleColor v);
    OleColor ContainerBorderColor() const { return m_containerBorderColor; }
    void setContainerBorderColor(OleColor v);
    int ContainerBorderStyle() const { return m_containerBorderStyle; }
    void setContainerBorderStyle(int v);
    int ContainerShapeStyle() const { return m_containerShapeStyle; }
    void setContainerShapeStyle(int v);
    int ContainerCornerRadius() const { return m_containerCornerRadius; }
    void setContainerCornerRadius(int v);
    Picture ContainerPicture() const { return m_containerPicture; }
    void setContainerPicture(const Picture& v);
    int ContainerPictureSize() const { return m_containerPictureSize; }
    void setContainerPictureSize(int v);
    bool ContainerPictureVisible() const { return m_containerPictureVisible; }
    void setContainerPictureVisible(bool v);
    int ContainerPictureBufferTop() const { return m_containerPictureBufferTop; }
    void setContainerPictureBufferTop(int v);
    int ContainerPictureBufferLeft() const { return m_containerPictureBufferLeft; }
    void setContainerPictureBufferLeft(int v);
    QFont ContainerTextFont() const { return m_containerTextFont; }
    void setContainerTextFont(const QFont& v);
    int ContainerFillStyle() const { return m_containerFillStyle; }
    void setContainerFillStyle(int v);
    OleColor ContainerForeColor() const { return m_containerForeColor; }
    void setContainerForeColor(OleColor v);
    bool ContainerMoveable() const { return m_containerMoveable; }
    void setContainerMoveable(bool v);
    bool ContainerResizable() const { return m_containerResizable; }
    void setContainerResizable(bool v);
    bool UseCustomColors() const { return m_useCustomColors; }
    void setUseCustomColors(bool v);
    int Appearence() const { return m_appearence; }
    void setAppearence(int v);
    OleColor CollapseButtonColor() const { return m_collapseButtonColor; }
    void setCollapseButtonColor(OleColor v);
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor v);
    bool ClassicXPStyle() const { return m_classicXPStyle; }
    void setClassicXPStyle(bool v);
    bool ZOrderOnFocus() const { return m_zOrderOnFocus; }
    void setZOrderOnFocus(bool v);
    bool EnabledProperty() const { return m_enabled; }
    void setEnabledProperty(bool v); // passed on to every contained widget
    bool Closed() const { return m_closed; }
    void setClosed(bool v);
    QPaintDevice* hdc();         // the off-screen buffer, or the widget itself without one
    void setHdc(qint32 ignored); // (re)makes the buffer at the current size
    QWidget* hwnd() { return this; }

    // Methods.
    void Refresh();
    void Expand() { SetFolded(false); }
    void Collapse() { SetFolded(true); }
    void OnTop() { raise(); }
    void closeMe();
    void showMe();
    void SmoothForm(QWidget* Frm, double Curvature);

    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Drawing (public so the look can be checked on the painted surface).
    void DrawFrame();
    const QImage& surface() const { return m_surface; }
    int headerHeight() const { return headerBarHeight(m_headerSize); }
    int footerHeight() const { return footerBarHeight(m_footerSize); }
    XpColours paintColours() const; // the ten colours in use (properties in custom mode)
    const XpColours& ThemeColours() const { return m_theme; }
    Qt::Alignment HeaderTextFormat() const { return m_headerTextFormat; }
    Qt::Alignment FooterTextFormat() const { return m_footerTextFormat; }
    bool Folded() const { return m_folded; }
    int ExpandedHeight() const { return m_expandedHeight; } // twips
    bool cMove() const { return m_cMove; }
    bool cResize() const { return m_cResize; }
    QRegion ChevronRegion() const { return m_chevronRegion; }
    QRegion CloseRegion() const { return m_closeRegion; }
    QRegion GripRegion() const { return m_gripRegion; }
    QLabel* Label1() const { return m_label1; }
    QList<QWidget*> containedWidgets() const;

    // Line drawing helpers on any painter.
    static void UtilDrawShapeStyle(QPainter& lngHdc, int lngLeft, int lngTop, int lngWidth,
                                   int lngHeight, int radius);

signals:
    void MouseMove(qint16& Button, qint16& Shift, float& X, float& Y, bool& cResize, bool& cMove);
    void ChevronClick(qint16& Button, qint16& Shift, float& X, float& Y, bool& Collapse,
                      int& FooterSize, int& HeaderSize, int& Height);
    void Resize(int& cWidth, int& cHeight);
    void Move(int& Left, int& Top);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void repaintProperties() override;

private:
    void ApplyAppearance();
    void SetFolded(bool fold);
    void ShowContainedControls();
    void DrawResizePreview();
    void DrawBarText(QPainter& p, QRect rect, const QString& text, OleColor colour,
                     const QFont& font, Qt::Alignment format, bool header);
    void DrawPicture(QPainter& p, int x, int y, int size, const Picture& picture);
    void DrawChevronButton(QPainter& p);
    void DrawChevronButton();
    void DrawCloseButton(QPainter& p);
    void DrawResizeGrip(QPainter& p);
    QRect buttonBox(bool closeButton) const;
    void drawButtonBox(QPainter& p, const QRect& box, OleColor colour);
    void EnsureBuffer(int width, int height);
    void onFocusChanged(QWidget* old, QWidget* now);
    void clipWindow();

    QString m_headerText;
    QFont m_headerTextFont;
    int m_headerTextAlign = XpFrameProperty::HeaderTextAlign.defaultValue;
    OleColor m_headerTextColor = XpFrameProperty::HeaderTextColor.defaultValue;
    int m_headerSize = XpFrameProperty::HeaderSize.defaultValue;
    bool m_headerVisible = XpFrameProperty::HeaderVisible.defaultValue;
    OleColor m_headerBackColor = XpFrameProperty::HeaderBackColor.defaultValue;
    OleColor m_headerFadeColor = XpFrameProperty::HeaderFadeColor.defaultValue;
    int m_headerFillStyle = XpFrameProperty::HeaderFillStyle.defaultValue;
    Picture m_headerPicture;
    int m_headerPictureSize = XpFrameProperty::HeaderPictureSize.defaultValue;
    bool m_headerPictureVisible = XpFrameProperty::HeaderPictureVisible.defaultValue;
    bool m_expandable = XpFrameProperty::Expandable.defaultValue;
    bool m_closeable = XpFrameProperty::Closeable.defaultValue;
    QString m_footerText;
    QFont m_footerTextFont;
    int m_footerTextAlign = XpFrameProperty::FooterTextAlign.defaultValue;
    OleColor m_footerTextColor = XpFrameProperty::FooterTextColor.defaultValue;
    int m_footerSize = XpFrameProperty::FooterSize.defaultValue;
    bool m_footerVisible = XpFrameProperty::FooterVisible.defaultValue;
    OleColor m_footerBackColor = XpFrameProperty::FooterBackColor.defaultValue;
    OleColor m_footerFadeColor = XpFrameProperty::FooterFadeColor.defaultValue;
    int m_footerFillStyle = XpFrameProperty::FooterFillStyle.defaultValue;
    OleColor m_containerBackColor = XpFrameProperty::ContainerBackColor.defaultValue;
    OleColor m_containerFadeColor = XpFrameProperty::ContainerFadeColor.defaultValue;
    OleColor m_containerBorderColor = XpFrameProperty::ContainerBorderColor.defaultValue;
    int m_containerBorderStyle = XpFrameProperty::ContainerBorderStyle.defaultValue;
    int m_containerShapeStyle = XpFrameProperty::ContainerShapeStyle.defaultValue;
    int m_containerCornerRadius = XpFrameProperty::ContainerCornerRadius.defaultValue;
    Picture m_containerPicture;
    int m_containerPictureSize = XpFrameProperty::ContainerPictureSize.defaultValue;
    bool m_containerPictureVisible = XpFrameProperty::ContainerPictureVisible.defaultValue;
    int m_containerPictureBufferTop = XpFrameProperty::ContainerPictureBufferTop.defaultValue;
    int m_containerPictureBufferLeft = XpFrameProperty::ContainerPictureBufferLeft.defaultValue;
    QFont m_containerTextFont;
    int m_containerFillStyle = XpFrameProperty::ContainerFillStyle.defaultValue;
    OleColor m_containerForeColor = XpFrameProperty::ContainerForeColor.defaultValue;
    bool m_containerMoveable = XpFrameProperty::ContainerMovable.defaultValue;
    bool m_containerResizable = XpFrameProperty::ContainerResizable.defaultValue;
    bool m_useCustomColors = XpFrameProperty::UseCustomColors.defaultValue;
    int m_appearence = XpFrameProperty::Appearence.defaultValue;
    OleColor m_collapseButtonColor = XpFrameProperty::CollapseButtonColor.defaultValue;
    OleColor m_backColor = XpFrameProperty::BackColor.defaultValue;
    bool m_classicXPStyle = XpFrameProperty::kNewClassicXPStyle;
    bool m_zOrderOnFocus = XpFrameProperty::kNewZOrderOnFocus;
    bool m_enabled = XpFrameProperty::Enabled.defaultValue;
    bool m_closed = XpFrameProperty::Closed.defaultValue;

    XpColours m_theme;
    Qt::Alignment m_headerTextFormat = Qt::AlignLeft | Qt::AlignTop;
    Qt::Alignment m_footerTextFormat = Qt::AlignLeft | Qt::AlignTop;
    bool m_folded = false;
    int m_expandedHeight = 0;
    int m_downX = 0;
    int m_downY = 0;
    bool m_cMove = false;
    bool m_cResize = false;
    QRegion m_chevronRegion;
    QRegion m_closeRegion;
    QRegion m_gripRegion;
    QImage m_surface;
    QImage m_buffer;
    QLabel* m_label1 = nullptr;
    bool m_hadFocus = false;
};
