#pragma once
// What printing needs from the bench (the main window implements it).

#include <QColor>
#include <QImage>

class QWidget;

namespace titrage {

struct Model;
struct SituationStore;

class PrintSource {
public:
    virtual ~PrintSource() = default;
    virtual QWidget* printWindow() = 0;        // parent of the dialog and of messages
    virtual QImage illustrationForPrint() = 0; // runs prepaima and returns the apparatus picture
    virtual void restoreIllustration() = 0; // imafond, niveaubecher, majaff: the screen without the
                                            // written texts
    virtual QImage graphPicture() = 0; // the graph picture as shown (curves, points, constructions)
    virtual QImage tablePicture() = 0; // the whole table as the grid renders it
    virtual int tableHeaderHeight() const = 0; // pixels
    virtual int tableRowHeight() const = 0;    // pixels
    virtual const SituationStore& situations() const = 0;
    virtual const Model& catalogue() const = 0; // solute names
    virtual QColor situationColour(int k) const = 0;
};

} // namespace titrage
