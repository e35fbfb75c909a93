// "Copier" and the pictures printing takes, through BenchCopies.
#include "bench/benchcopies.h"
#include "bench/feuillep.h"
#include "graph/headerpictures.h"
#include "graph/valuetable.h"
#include "printing/confimp.h"

#include <QCursor>
#include <QMenu>

namespace titrage {

QString feuilleP::msgcopie()
{
    return BenchCopies::msgcopie();
}

void feuilleP::createCopyMenu()
{
    CopySources sources;
    sources.bench = this;
    sources.apparatus = picburette;
    sources.conductimeter = LabelpH;
    sources.poured = Labelbur;
    sources.burette = Text1[BoxBurette];
    sources.history = Histo;
    sources.graph = Picture1;
    sources.table = MSFlexGrid1;
    CopyHost& host = *this;
    m_copies = new BenchCopies(host, sources);
    menucopie = m_copies->menu();
}

void feuilleP::Command4_Click()
{
    menucopie->popup(QCursor::pos());
}

void feuilleP::prepaima()
{
    m_copies->prepaima();
}

QImage feuilleP::illustrationForPrint()
{
    return m_copies->illustration();
}

void feuilleP::restoreIllustration()
{
    imafond();
    niveaubecher();
    majaff();
}

QImage feuilleP::graphPicture()
{
    return m_copies->graphPicture();
}

int feuilleP::tableHeaderHeight() const
{
    return kHeaderHeight;
}

int feuilleP::tableRowHeight() const
{
    return MSFlexGrid1->designRowHeight();
}

QImage feuilleP::tablePicture()
{
    return m_copies->tablePicture();
}

void feuilleP::Command10_Click()
{
    showPrintDialog(*this);
}

} // namespace titrage
