#pragma once

#include <QImage>
#include <QListWidget>

#include <functional>

// A sorted list of the installed scalable font families, each drawn with a
// small double-T mark in front of its name. Families are listed under the
// names card documents store ("Arial" for the metric-compatible stand-in),
// so a chosen name works the same in a document read on Windows.
class TFontListBoxx : public QListWidget
{
    Q_OBJECT
public:
    explicit TFontListBoxx(QWidget *parent = nullptr);

    // Clears, fills with the font families and selects the first entry (if
    // any), without emitting selection signals.
    void Reload();
    QString SelectedFamily() const;
    // Highlights the entry of `family` (letter case ignored) without emitting
    // selection signals; false, leaving the highlight alone, when it is not
    // listed.
    bool SelectFamily(const QString &family);

    // The names to list: the families `isScalable` accepts (at most 32
    // characters each, stand-ins under their document names), sorted; all
    // families when none is scalable.
    static QStringList FamilyNames(const QStringList &families,
                                   const std::function<bool(const QString &)> &isScalable);
    // The 12 x 12 mark on a background colour: a grey T at (0, 0) and a
    // black one at (4, 3).
    static QImage Glyph(QColor background);
    // Row height: twice the list font's size in points.
    int ItemHeight() const;

    // Replaces the installed families (tests): a list and which are scalable.
    static void SetFamilySource(std::function<QStringList()> families,
                                std::function<bool(const QString &)> isScalable);

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_selectedOnShow = false;
};
