#pragma once

// A progress bar 12 pixels thick: the done part is the style's progress
// picture stretched along the bar, the rest a flat colour, with a one-pixel
// border and the percentage written in the middle.

#include "skin_controls/theme/file_theme.h"
#include "skin_controls/theme/tsui_color.h"
#include "skin_controls/theme/ui_style.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

enum class TsuiProgressBarOrientation : uint8_t { suiHorizontal = 0, suiVertical = 1 };

// (Position - Min) x 100 div (Max - Min), 0 when Min = Max; not clamped.
int64_t ProgressPercentage(int32_t min, int32_t max, int32_t position);
// The done part of a bar `length` long: nothing from Min on up to Position
// = Min (or an empty range), all of it beyond Max.
int ProgressFilledLength(int32_t min, int32_t max, int32_t position, int length);

struct ProgressBarLook {
    TsuiProgressBarOrientation orientation = TsuiProgressBarOrientation::suiHorizontal;
    int32_t min = 0, max = 100, position = 50;
    QImage picture; // null: the done part shows the bar's colour too
    QColor color, border, caption;
    bool showCaption = true;
    bool smartShowCaption = false;
    QString text;
};

// The bar as it shows on a client area of `size`. A picture makes the
// picture's own thickness + 2 the bar's.
QImage PaintProgressBar(QSize size, const ProgressBarLook &look);

class TsuiProgressBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Position READ Position WRITE setPosition)
    Q_PROPERTY(TsuiUIStyle UIStyle READ UIStyle WRITE setUIStyle)
    Q_PROPERTY(TsuiFileTheme *FileTheme READ FileTheme WRITE setFileTheme)
    Q_PROPERTY(bool ShowCaption READ ShowCaption WRITE setShowCaption)
    Q_PROPERTY(bool SmartShowCaption READ SmartShowCaption WRITE setSmartShowCaption)

public:
    explicit TsuiProgressBar(QWidget *parent = nullptr);
    TsuiProgressBar(const QString &name, QWidget *parent);

    int32_t Max() const { return m_max; }
    void setMax(int32_t max);
    int32_t Min() const { return m_min; }
    void setMin(int32_t min);
    int32_t Position() const { return m_position; }
    void setPosition(int32_t position);
    TsuiUIStyle UIStyle() const { return m_uiStyle; }
    // The style's picture and colours; a vertical bar turns the picture.
    void setUIStyle(TsuiUIStyle style);
    TsuiFileTheme *FileTheme() const { return m_fileTheme; }
    void setFileTheme(TsuiFileTheme *theme);
    TsuiProgressBarOrientation Orientation() const { return m_orientation; }
    // Keeps the longer side as the bar's length.
    void setOrientation(TsuiProgressBarOrientation orientation);
    TColor BorderColor() const { return m_borderColor; }
    void setBorderColor(TColor color);
    TColor Color() const { return m_color; }
    void setColor(TColor color);
    TColor CaptionColor() const { return m_captionColor; }
    void setCaptionColor(TColor color);
    const QImage &Picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    // A vertical bar's first paint turns the caption off for good.
    bool ShowCaption() const { return m_showCaption; }
    void setShowCaption(bool on);
    // No caption while Position equals Min.
    bool SmartShowCaption() const { return m_smartShowCaption; }
    void setSmartShowCaption(bool on);
    // The percentage caption, for example "37%".
    const QString &Text() const { return m_text; }

    ProgressBarLook look() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void applyStyle();
    void updateCaption();
    // Horizontal: 12 high and `length` wide; vertical the other way round.
    void updateSize(int length);

    int32_t m_max = 100;
    int32_t m_min = 0;
    int32_t m_position = 50;
    TsuiUIStyle m_uiStyle = TsuiUIStyle::DeepBlue;
    QPointer<TsuiFileTheme> m_fileTheme;
    TsuiProgressBarOrientation m_orientation = TsuiProgressBarOrientation::suiHorizontal;
    TColor m_borderColor = clBlack;
    TColor m_color = clBtnFace;
    TColor m_captionColor = clBlack;
    QImage m_picture;
    bool m_showCaption = true;
    bool m_smartShowCaption = false;
    QString m_text = QStringLiteral("50%");
};
