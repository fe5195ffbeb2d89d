#include "platform/QtUserDialogs.h"

#include "platform/ScreenMetrics.h"
#include "platform/SymbolFonts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

bool QtUserDialogs::ask(const QString &text, const QString &caption)
{
    return QMessageBox::question(parentWidget(), caption, text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

TAnswer QtUserDialogs::askWithCancel(const QString &text, const QString &caption)
{
    // With a Cancel button, QMessageBox makes Escape and closing the box Cancel.
    switch (QMessageBox::question(parentWidget(), caption, text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return TAnswer::anYes;
    case QMessageBox::No:
        return TAnswer::anNo;
    default:
        return TAnswer::anCancel;
    }
}

void QtUserDialogs::inform(const QString &text)
{
    QMessageBox::information(parentWidget(), QStringLiteral("Information"), text,
                             QMessageBox::Ok);
}

void QtUserDialogs::informTitled(const QString &text, const QString &caption)
{
    QMessageBox::information(parentWidget(), caption, text, QMessageBox::Ok);
}

void QtUserDialogs::error(const QString &text)
{
    QMessageBox::critical(parentWidget(), QApplication::applicationName(), text,
                          QMessageBox::Ok);
}

QString QtUserDialogs::openFileName(const QString &caption, const QString &folder,
                                    const QString &filter)
{
    return QFileDialog::getOpenFileName(parentWidget(), caption, folder, filter);
}

QString QtUserDialogs::saveFileName(const QString &caption, const QString &suggestedPath,
                                    const QString &filter, const QString &defaultSuffix)
{
    // The static helper cannot take a default suffix, so the dialog is built here.
    QFileDialog dialog(parentWidget(), caption, suggestedPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

namespace {

// A colour dialog belongs over the dialog that asked for it (a property
// dialog), not behind it over the main window.
QWidget *colorDialogParent()
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal ? modal : UserDialogs::parentWidget();
}

} // namespace

std::optional<TColor> QtUserDialogs::chooseColor(TColor initial)
{
    const QColor chosen = QColorDialog::getColor(Colors::toQColor(initial), colorDialogParent());
    if (!chosen.isValid())
        return std::nullopt;
    return Colors::fromQColor(chosen);
}

std::optional<TColor> QtUserDialogs::chooseColorWithCustom(TColor initial, QList<TColor> &customColors)
{
    // Qt keeps one set of custom colours for the whole program; the caller's
    // set goes in before and comes back out on OK.
    const int count = std::min(int(customColors.size()), QColorDialog::customCount());
    for (int i = 0; i < count; ++i)
        QColorDialog::setCustomColor(i, Colors::toQColor(customColors.at(i)));
    const QColor chosen = QColorDialog::getColor(Colors::toQColor(initial), colorDialogParent());
    if (!chosen.isValid())
        return std::nullopt;
    for (int i = 0; i < count; ++i) {
        const QColor custom = QColorDialog::customColor(i);
        customColors[i] = custom.isValid() ? Colors::fromQColor(custom) : clWhite;
    }
    return Colors::fromQColor(chosen);
}

std::optional<TFont> QtUserDialogs::chooseFont(const TFont &initial, bool trueTypeOnly)
{
    const int ppi = ScreenMetrics::pixelsPerInch();
    QFontDialog::FontDialogOptions options;
    if (trueTypeOnly)
        options |= QFontDialog::ScalableFonts;
    // The symbol fonts of Windows documents are offered by their names.
    SymbolFonts::registerSelectorFamilies();
    // The dialog lists point sizes, so it gets the font by points.
    QFont shown = Fonts::toQFont(initial, ppi);
    if (SymbolFonts::isSymbolFont(initial.name))
        shown.setFamilies({SymbolFonts::windowsName(SymbolFonts::symbolSet(initial.name))});
    shown.setPointSize(qMax(1, initial.size(ppi)));
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, shown, parentWidget(), QString(), options);
    if (!ok)
        return std::nullopt;
    return Fonts::fromQFont(chosen, initial, ppi);
}

void QtUserDialogs::beep()
{
    QApplication::beep();
}
