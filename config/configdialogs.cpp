#include "config/configdialogs.h"

#include "config/enregistrer.h"
#include "config/ouvrir.h"
#include "platform/messages.h"

namespace titrage {

void showSaveDialog(ConfigBench& bench)
{
    const int current = bench.situationStore().numsit;
    if (current >= 0 && current < kSituations) bench.selectSituation(current);
    enregistrer dialog(bench);
    Messages::execDialog(dialog);
}

void showOpenDialog(ConfigBench& bench)
{
    ouvrir dialog(bench);
    Messages::execDialog(dialog);
}

} // namespace titrage
