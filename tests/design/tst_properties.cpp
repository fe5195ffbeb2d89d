// Stored-property declarations: names, order, defaults, nested values.
#include "design/CardPanelHost.h"
#include "objects/TGLabelShapes.h"

#include <QtTest>

namespace {
QStringList namesOf(const TPropertyList &list)
{
    QStringList names;
    for (const TPropertyDecl &d : list)
        names << d.name;
    return names;
}

const TPropertyDecl &prop(const TPropertyList &list, const char *name)
{
    const TPropertyDecl *d = findProperty(list, QString::fromLatin1(name));
    Q_ASSERT(d);
    return *d;
}

QStringList written(const TGGraphicControl &o)
{
    QStringList names;
    for (const TPropertyDecl &d : o.StoredProperties()) {
        if (d.mustWrite(o))
            names << d.name;
    }
    return names;
}
} // namespace

class TestProperties : public QObject
{
    Q_OBJECT
private slots:
    void everyObjectStartsWithTheBaseProperties()
    {
        QCOMPARE(namesOf(TGGraphicControl::properties()),
                 QStringList({"Tag", "Left", "Top", "Width", "Height", "Cursor", "Hint", "Locked",
                              "Unselectable"}));
    }

    void shapesDeclareTheirPropertiesInStreamOrder()
    {
        QCOMPARE(namesOf(TBCShapes::properties()).mid(9),
                 QStringList({"Transparent", "Brush.Color", "Brush.Style", "Pen.Color", "Pen.Mode",
                              "Pen.Style", "Pen.Width", "RoundPerc", "Shape"}));
        QCOMPARE(namesOf(TGLineShape::properties()).mid(9),
                 QStringList({"LineStyle", "Pen.Color", "Pen.Mode", "Pen.Style", "Pen.Width"}));
        const TPropertyDecl &shape = prop(TBCShapes::properties(), "Shape");
        QCOMPARE(shape.type, TPropertyType::Enum);
        QCOMPARE(shape.identifiers.at(4), QStringLiteral("stEllipse"));
        QCOMPARE(prop(TGLineShape::properties(), "Pen.Mode").identifiers.at(4), QStringLiteral("pmCopy"));
        QCOMPARE(prop(TGLineShape::properties(), "Pen.Style").identifiers.at(0), QStringLiteral("psSolid"));
    }

    void onlyValuesOtherThanTheDeclaredDefaultAreWritten()
    {
        CardPanelHost h;
        TBCShapes *s = h.addShape(QRect(10, 20, 30, 40));
        // A black pen is the pen's stored default: nothing of it is written.
        QCOMPARE(written(*s), QStringList({"Left", "Top", "Width", "Height", "Locked", "Unselectable",
                                          "Transparent"}));
        s->SetTag(3);
        s->SetHint("tip");
        s->SetShape(stEllipse);
        s->SetRoundPerc(40);
        s->SetPen(TPen{clRed, 3, psDash, pmXor});
        s->SetBrush(TBrush{clBlue, bsCross, {}});
        QCOMPARE(written(*s).size(), 17); // all but Cursor
    }

    void nestedMembersReadAndWriteThroughTheWholeValue()
    {
        CardPanelHost h;
        TGLineShape *line = h.addLine(QRect(10, 20, 30, 40));
        const TPropertyList &props = line->StoredProperties();
        prop(props, "Pen.Width").set(*line, 7);
        prop(props, "Pen.Color").set(*line, int(clRed));
        prop(props, "LineStyle").set(*line, 3);
        QCOMPARE(line->Pen().width, 7);
        QCOMPARE(line->Pen().color, clRed);
        QCOMPARE(line->LineStyle(), stAngleSlopingDown);
        QCOMPARE(prop(props, "Pen.Width").get(*line).toInt(), 7);
        QCOMPARE(prop(props, "pen.width").group, QStringLiteral("Pen"));
    }

    void fontMembersFollowTheStreamRules()
    {
        QStringList names;
        for (const auto &m : fontMembers())
            names << m.name;
        QCOMPARE(names, QStringList({"Charset", "Color", "Height", "Name", "Pitch", "Style"}));
        QVERIFY(fontMembers().at(4).storedDefault.has_value());   // Pitch only when not fpDefault
        QVERIFY(!fontMembers().at(5).storedDefault.has_value());  // Style always
        QCOMPARE(PropertyIdents::charsetToIdent(1), QStringLiteral("DEFAULT_CHARSET"));
        QCOMPARE(PropertyIdents::identToCharset("symbol_charset"), 2);
        QVERIFY(!PropertyIdents::charsetToIdent(99));
    }

    void brushAndPenMembersHaveTheirDefaults()
    {
        QCOMPARE(brushMembers().at(0).storedDefault->toInt(), int(clWhite));
        QCOMPARE(brushMembers().at(1).storedDefault->toInt(), int(bsSolid));
        QCOMPARE(penMembers().at(0).storedDefault->toInt(), int(clBlack));
        QCOMPARE(penMembers().at(1).storedDefault->toInt(), int(pmCopy));
        QCOMPARE(penMembers().at(2).storedDefault->toInt(), int(psSolid));
        QCOMPARE(penMembers().at(3).storedDefault->toInt(), 1);
    }

    void onlyAPenColourOtherThanBlackIsWritten()
    {
        CardPanelHost h;
        TGLineShape *line = h.addLine(QRect(10, 20, 30, 40));
        QVERIFY(!written(*line).contains("Pen.Color"));
        TPen pen = line->Pen();
        pen.color = clMaroon;
        line->SetPen(pen);
        QVERIFY(written(*line).contains("Pen.Color"));
    }
};

QTEST_MAIN(TestProperties)
#include "tst_properties.moc"
