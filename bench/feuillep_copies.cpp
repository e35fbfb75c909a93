// "Copier" and the pictures printing takes, through BenchCopies.
#include "bench/feuillep.h"
#include "graph/headerpictures.h"
#include "graph/valuetable.h"

namespace titrage {

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
}

void feuilleP::restoreIllustration()
{
    imafond();
    niveaubecher();
    majaff();
}

int feuilleP::tableHeaderHeight() const
{
    return kHeaderHeight;
}

int feuilleP::tableRowHeight() const
{
    return MSFlexGrid1->designRowHeight();
}

} // namespace titrage
