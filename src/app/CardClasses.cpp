// The object classes card documents may hold, in the order the reader knows
// them, and the objects the drawing tools create. Each object class adds its
// lines here.
#include "app/CardClasses.h"

#include "design/ComponentStreamer.h"
#include "design/Properties.h"
#include "design/TGBusinessCardPanel32.h"
#include "effects/TGSuperText.h"
#include "effects/TSuperShape.h"
#include "objects/TBCShapes.h"
#include "objects/TGBusinessCardLabel.h"
#include "objects/TGImage.h"
#include "objects/TGLabelShapes.h"
#include "objects/TGLineShape.h"
#include "objects/TGMultiLineLabel.h"
#include "objects/TGPCircleText.h"
#include "objects/TGPRichBaseLabel.h"
#include "objects/TGQRCode.h"
#include "objects/TGSymbolLabel.h"

#include <cmath>

namespace {

void registerShapeTool(TLPanelState state, TShapeType shape)
{
    TGBusinessCardPanel32::RegisterTool(state, {[shape](TGBusinessCardPanel32 &panel) {
                                                    auto *object = new TBCShapes(&panel);
                                                    object->SetShape(shape);
                                                    return object;
                                                },
                                                {}});
}

} // namespace

TLineStyle lineStyleForDrag(QPoint drag)
{
    // A click gives the vertical line it always gave.
    if (drag.isNull())
        return stVertical;
    // Within 22.5 degrees of an axis the drag means that axis.
    const double dx = std::abs(drag.x()), dy = std::abs(drag.y());
    constexpr double tan22_5 = 0.41421356;
    if (dy <= dx * tan22_5)
        return stHorizontal;
    if (dx <= dy * tan22_5)
        return stVertical;
    // Down and to the right, or up and to the left, is the falling diagonal.
    return (drag.x() > 0) == (drag.y() > 0) ? stAngleSlopingDown : stAngleSlopingUp;
}

static void registerPropertiesActions()
{
    using P = TGBasePanel;
    P::RegisterProperties(&TGPLabel::staticMetaObject, [](TGGraphicControl &o) {
        static_cast<TGPLabel &>(o).EditText();
    });
    // The card's own label offers the personal information as well.
    P::RegisterProperties(&TGBusinessCardLabel::staticMetaObject, [](TGGraphicControl &o) {
        static_cast<TGBusinessCardLabel &>(o).EditCardText();
    });
    P::RegisterProperties(&TGSymbolLabel::staticMetaObject, [](TGGraphicControl &o) {
        static_cast<TGSymbolLabel &>(o).ChooseSymbol();
    });
    P::RegisterProperties(&TGMultiLineLabel::staticMetaObject, [](TGGraphicControl &o) {
        static_cast<TGMultiLineLabel &>(o).EditLines();
    });
    P::RegisterProperties(&TGImage::staticMetaObject, [](TGGraphicControl &o) {
        static_cast<TGImage &>(o).LoadImageFromDisk();
    });
    P::RegisterProperties(&TSuperShape::staticMetaObject, [](TGGraphicControl &o) {
        static_cast<TSuperShape &>(o).EditProperties();
    });
    P::RegisterProperties(&TGPRichBaseLabel::staticMetaObject, [](TGGraphicControl &o) {
        static_cast<TGPRichBaseLabel &>(o).EditRichText();
    });
    P::RegisterProperties(&TGSuperText::staticMetaObject, [](TGGraphicControl &o) {
        static_cast<TGSuperText &>(o).EditProperties();
    });
    P::RegisterProperties(&TGPCircleText::staticMetaObject, [](TGGraphicControl &o) {
        static_cast<TGPCircleText &>(o).EditProperties();
    });
    P::RegisterProperties(&TGQRCode::staticMetaObject, [](TGGraphicControl &o) {
        static_cast<TGQRCode &>(o).EditProperties();
    });
}

void registerCardClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    installComponentStreamer();

    TGClassRegistry::add<TGLineShape>("TGLineShape");
    TGClassRegistry::add<TGImage>("TGImage");
    TGClassRegistry::add<TGLabelShapes>("TGLabelShapes");
    TGClassRegistry::add<TBCShapes>("TBCShapes");
    TGClassRegistry::add<TGPLabel>("TGPLabel");
    TGClassRegistry::add<TGBusinessCardLabel>("TGBusinessCardLabel");
    TGClassRegistry::add<TGSymbolLabel>("TGSymbolLabel");
    TGClassRegistry::add<TGMultiLineLabel>("TGMultiLineLabel");
    TGClassRegistry::add<TSuperShape>("TSuperShape");
    TGClassRegistry::add<TGPRichBaseLabel>("TGPRichBaseLabel");
    TGClassRegistry::add<TGSuperText>("TGSuperText");
    TGClassRegistry::add<TGPCircleText>("TGPCircleText");
    TGClassRegistry::add<TGQRCode>("TGQRCode");
    registerPropertiesActions();

    registerShapeTool(psRectangle, stRectangle);
    registerShapeTool(psEllipse, stEllipse);
    registerShapeTool(psRoundRectangle, stRoundRect);
    TGBusinessCardPanel32::RegisterTool(psLine, {[](TGBusinessCardPanel32 &panel) {
                                                     auto *line = new TGLineShape(&panel);
                                                     line->SetLineStyle(lineStyleForDrag(panel.RubberBandVector()));
                                                     return line;
                                                 },
                                                 {}});
    TGBusinessCardPanel32::RegisterTool(psLabel, {[](TGBusinessCardPanel32 &panel) {
                                                      auto *label = new TGBusinessCardLabel(&panel);
                                                      label->SetCaption("Text");
                                                      label->SetFont(panel.Font());
                                                      return label;
                                                  },
                                                  [](TGBusinessCardPanel32 &, TGGraphicControl &object) {
                                                      auto &label = static_cast<TGBusinessCardLabel &>(object);
                                                      label.EditCardText();
                                                      label.FitToText();
                                                      return true;
                                                  }});

    TGBusinessCardPanel32::RegisterTool(psSymbolLabel, {[](TGBusinessCardPanel32 &panel) {
                                                            return new TGSymbolLabel(&panel);
                                                        },
                                                        [](TGBusinessCardPanel32 &, TGGraphicControl &object) {
                                                            auto &symbol = static_cast<TGSymbolLabel &>(object);
                                                            symbol.ChooseSymbol();
                                                            symbol.FitToText();
                                                            return true;
                                                        }});
    TGBusinessCardPanel32::RegisterTool(psMultiLineLabel, {[](TGBusinessCardPanel32 &panel) {
                                                               auto *label = new TGMultiLineLabel(&panel);
                                                               label->SetFont(panel.Font());
                                                               return label;
                                                           },
                                                           [](TGBusinessCardPanel32 &, TGGraphicControl &object) {
                                                               auto &label = static_cast<TGMultiLineLabel &>(object);
                                                               label.EditLines();
                                                               label.FitLines();
                                                               return true;
                                                           }});
    // The clip-art tool: the browser opens at once; no picture, no object.
    TGBusinessCardPanel32::RegisterTool(psImage, {[](TGBusinessCardPanel32 &panel) { return new TGImage(&panel); },
                                                  [](TGBusinessCardPanel32 &panel, TGGraphicControl &object) {
                                                      auto &image = static_cast<TGImage &>(object);
                                                      image.LoadImageFromDisk();
                                                      // A click, no box drawn: the picture as it is.
                                                      const QPoint drag = panel.RubberBandVector();
                                                      if (std::abs(drag.x()) < 25 && std::abs(drag.y()) < 15)
                                                          image.SizeToPicture(panel.size());
                                                      return !image.Picture().IsEmpty();
                                                  }});
    TGBusinessCardPanel32::RegisterTool(psSuperShape, {[](TGBusinessCardPanel32 &panel) {
                                                           return new TSuperShape(&panel);
                                                       },
                                                       [](TGBusinessCardPanel32 &, TGGraphicControl &object) {
                                                           static_cast<TSuperShape &>(object).EditProperties();
                                                           return true;
                                                       }});
    // Rich text: the editor opens at once; the box stays when it is cancelled.
    TGBusinessCardPanel32::RegisterTool(psRichLabel, {[](TGBusinessCardPanel32 &panel) -> TGGraphicControl * {
                                                          return new TGPRichBaseLabel(&panel);
                                                      },
                                                      [](TGBusinessCardPanel32 &, TGGraphicControl &object) {
                                                          static_cast<TGPRichBaseLabel &>(object).EditRichText();
                                                          return true;
                                                      }});
    TGBusinessCardPanel32::RegisterTool(psSuperText, {[](TGBusinessCardPanel32 &panel) -> TGGraphicControl * {
                                                          return new TGSuperText(&panel);
                                                      },
                                                      [](TGBusinessCardPanel32 &, TGGraphicControl &object) {
                                                          static_cast<TGSuperText &>(object).EditProperties();
                                                          return true;
                                                      }});
    // Circular text: the properties dialog opens at once; the object stays when it is cancelled.
    TGBusinessCardPanel32::RegisterTool(psCircleText, {[](TGBusinessCardPanel32 &panel) -> TGGraphicControl * {
                                                           return new TGPCircleText(&panel);
                                                       },
                                                       [](TGBusinessCardPanel32 &, TGGraphicControl &object) {
                                                           static_cast<TGPCircleText &>(object).EditProperties();
                                                           return true;
                                                       }});
    // The QR code: its dialog opens at once; cancelling it takes the code away again.
    TGBusinessCardPanel32::RegisterTool(psQRCode, {[](TGBusinessCardPanel32 &panel) -> TGGraphicControl * {
                                                       return new TGQRCode(&panel);
                                                   },
                                                   [](TGBusinessCardPanel32 &, TGGraphicControl &object) {
                                                       return static_cast<TGQRCode &>(object).EditProperties();
                                                   }});
}
