#pragma once

#include "design/TGGraphicControl.h"
#include "objects/QRMatrix.h"
#include "platform/Colors.h"

#include <QStringList>

#include <optional>

class TGBusinessCardPanel32;

// What a QR code holds: the owner's contact card (a vCard built from the
// personal information), a web address, or any text.
enum TQRContent { qcContactCard, qcWebAddress, qcText };

inline QStringList qrContentNames() { return {"qcContactCard", "qcWebAddress", "qcText"}; }

// A QR code on the card. The stored `Content` is the text encoded; for a
// contact card it is the vCard as it was built when the dialog was last
// closed with Ok, so the code stays the same on another computer. Modules
// are square and the code is centred in its box; on screen each module is
// a whole number of pixels, on paper the code fills the box's shorter side.
class TGQRCode : public TGGraphicControl
{
    Q_OBJECT
public:
    explicit TGQRCode(QObject *owner = nullptr);
    ~TGQRCode() override;

    static const TPropertyList &properties();
    const TPropertyList &StoredProperties() const override { return properties(); }

    TQRContent ContentKind() const { return m_kind; }
    void SetContentKind(TQRContent value);
    QString Content() const { return m_content; }
    void SetContent(const QString &value);
    TQRLevel Level() const { return m_level; }
    void SetLevel(TQRLevel value);
    TColor ModuleColor() const { return m_moduleColor; }
    void SetModuleColor(TColor value);
    TColor BackColor() const { return m_backColor; }
    void SetBackColor(TColor value);
    // No ground: the card shows between the dark modules.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    // The four light modules around the code that readers need to find it.
    bool QuietZone() const { return m_quietZone; }
    void SetQuietZone(bool value);

    // The code for the content, or none when it cannot be made
    // (`EncodeError` says why).
    const std::optional<QRMatrix> &Matrix() const;
    QString EncodeError() const;
    // What the code encodes: the content with its fields filled, or for a
    // contact card on a card filled from a list, the record's vCard.
    QString ShownContent() const;
    QStringList FieldNames() const override;

    // The ground colour, none when transparent.
    std::optional<TColor> Background() const;

    // The personal information of the card the code is on (empty values
    // when it is on none).
    QStringList PanelPersonalInformation() const;

    // "QR Code Properties": true when closed with Ok (the object then has the
    // dialog's values).
    bool EditProperties();

    // "Add QR Code": a one-inch code in the middle of the card, made like
    // the QR code tool makes one (its dialog opens at once).
    static void AddToCard(TGBusinessCardPanel32 &panel);

    void Paint(TCanvas &canvas) override;
    void PrintTo(TReport &report, double left, double top) override;

protected:
    void BuildMenu() override;

private:
    void ContentChanged();
    void Changed();

    TQRContent m_kind = qcContactCard;
    QString m_content;
    TQRLevel m_level = qlM;
    TColor m_moduleColor = clBlack;
    TColor m_backColor = clWhite;
    bool m_transparent = false;
    bool m_quietZone = true;

    mutable bool m_matrixValid = false;
    mutable std::optional<QRMatrix> m_matrix;
    mutable QString m_matrixContent;
    mutable QString m_encodeError;
};
