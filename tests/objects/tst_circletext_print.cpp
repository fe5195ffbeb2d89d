// Circular text on screen and on paper: each letter centred on its anchor,
// the same places at 96 dots per inch and at a printer's resolution.
#include "objects/CircleTextSupport.h"
#include "design/ObjectPrinting.h"
#include "platform/ScreenMetrics.h"
#include "report/ImageTarget.h"
#include "report/TReport.h"

#include <QtTest>

using namespace CircleTextSupport;

class TestCircleTextPrint : public QObject
{
    Q_OBJECT
private slots:
    void init() { ScreenMetrics::setOverride(96); }
    void scratch()
    {
        TGBusinessCardPanel32 panel;
        panel.resize(336, 192);
        TGPCircleText *t = addCircleText(panel, QRect(0, 0, 150, 150));
        t->SetCaption("ACME * WIDGETS *");
        render(*t).save("/tmp/pp/circle96.png");
        for (int dpi : {300, 600}) {
            TReport job(std::make_unique<ImageTarget>(SimulatedDevice(dpi, dpi, QPageSize(QSizeF(2, 2), QPageSize::Inch))));
            job.onPrint = [&](TReport &j) { PrintObject(j, *t, 0, 0); };
            QVERIFY(job.run());
            job.targetAs<ImageTarget>()->pages().first().save(QString("/tmp/pp/circle%1.png").arg(dpi));
        }
    }
};

QTEST_MAIN(TestCircleTextPrint)
#include "tst_circletext_print.moc"
