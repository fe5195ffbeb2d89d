#pragma once

#include "objects/QRMatrix.h"
#include "objects/TGQRCode.h"

#include <QDialog>
#include <QImage>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class TDFSXPColorButton;

// "QR Code Properties": what the code holds (the owner's contact card, a web
// address or text), its colours, error correction and quiet zone, with a
// live sample. The contact card is built afresh from the personal
// information each time the dialog opens. Ok is refused, with a message,
// while the content cannot become a QR code.
//
// Handlers are public so that tests drive the dialog without exec().
class TGQRCodeProperties : public QDialog
{
    Q_OBJECT
public:
    explicit TGQRCodeProperties(QWidget *parent = nullptr);
    ~TGQRCodeProperties() override;

    // The ten personal-information values the contact card is built from.
    void SetPersonalInformation(const QStringList &values);
    QString ContactCardText() const { return m_contactCard; }

    // The object's values into the controls, and back on Ok.
    void LoadFrom(const TGQRCode &code);
    void StoreTo(TGQRCode &code) const;

    TQRContent ContentKind() const;
    // The text the code will hold for the chosen kind.
    QString CurrentContent() const;
    // The current code, none while the content cannot be encoded.
    const std::optional<QRMatrix> &CurrentMatrix() const { return m_matrix; }
    // The message shown under the sample (the reason when there is no code).
    QString StatusText() const;
    // The sample as drawn at `size`.
    QImage RenderSample(QSize size, qreal ratio = 1.0) const;

    // A web address as typed, given "https://" when it names no scheme.
    static QString NormalisedWebAddress(const QString &typed);

    QComboBox *ContentKindCombo = nullptr;
    QStackedWidget *ContentPages = nullptr;
    QPlainTextEdit *ContactCardView = nullptr;
    QLineEdit *WebAddressEdit = nullptr;
    QPlainTextEdit *TextEdit = nullptr;
    TDFSXPColorButton *ModuleColorButton = nullptr;
    TDFSXPColorButton *BackColorButton = nullptr;
    QCheckBox *TransparentCheck = nullptr;
    QComboBox *LevelCombo = nullptr;
    QCheckBox *QuietZoneCheck = nullptr;
    QWidget *SampleBox = nullptr;
    QLabel *StatusLabel = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;

    // Encodes the content again and repaints the sample.
    void Refresh();
    void ContentKindComboChange();
    // Closes with Ok when the content makes a code; otherwise says why.
    void OkButtonClick();

private:
    void BuildControls();
    QWidget *BuildContentGroup();
    QWidget *BuildLookGroup();

    QString m_contactCard;
    std::optional<QRMatrix> m_matrix;
    QString m_error;
};
