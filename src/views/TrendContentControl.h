#pragma once

#include "fitness/TrendRaster.h"
#include "views/TrendChart.h"
#include "vocabulary/ContentControl.h"

#include <QColor>
#include <QFont>
#include <QWidget>

class QComboBox;

// The results page's chart ("TrendControl"): one series drawn as one pixel per column, a dotted
// box at its lowest and highest value with both as numbers, the first and last dates below, and
// a drop-down list choosing the series.
class TrendContentControl final : public QWidget, public ContentControl, public TrendChart
{
    Q_OBJECT

public:
    static const QString kName;

    explicit TrendContentControl(QWidget* parent = nullptr);
    ~TrendContentControl() override;

    // ContentControl
    EventListener* GetListener() const override { return m_listener; }
    void SetListener(EventListener* listener) override { m_listener = listener; }
    QWidget* GetWindow() override { return this; }

    // TrendChart
    QString GetName() const override { return kName; }
    void SetModeNames(const QStringList& names) override;
    void SetDataSource(TrendDataSource* source) override;
    void Refresh() override;

    QComboBox* ModeList() const { return m_modes; }
    const TrendRaster& Raster() const { return m_raster; }
    int HeaderHeight() const { return m_headerHeight; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Settings
    {
        QSize modeSize;
        int marginTop = 5;
        int marginBottom = 5;
        int marginLeft = 5;
        int marginRight = 5;
        int lineWidth = 1;
        QColor axes;
        QColor box;
        QColor trend;
        QColor text;
        QFont font;
    };
    void ReadSettings();
    void SelectSourceMode();
    void Recompute();

    EventListener* m_listener = nullptr;
    QComboBox* m_modes = nullptr;
    TrendDataSource* m_source = nullptr;
    Settings m_settings;
    int m_headerHeight = 0;
    TrendRaster m_raster;
};
