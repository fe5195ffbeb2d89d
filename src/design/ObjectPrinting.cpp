#include "design/ObjectPrinting.h"

#include "design/TGGraphicControl.h"
#include "report/TReport.h"

void PrintObject(TReport &report, TGGraphicControl &object, double left, double top)
{
    const ReportCanvas::StateGuard guard(report);
    object.PrintTo(report, left, top);
}
