#include "generator/RouterOsSources.h"
#include "generator/Sections.h"

// The 26 PCQ queue types the queue tree attaches to.

void AppendPcqTypes(TScriptWriter& lines, const TQvVariant& rateRxVar, const TQvVariant& rateTxVar,
                    const TQvVariant& clientVar) {
    static const TEntryText pcqTypes{RouterOsSource::PcqTypes};
    AppendEntry(lines, pcqTypes,
                {{"{RATERX}", rateRxVar.Name}, {"{RATETX}", rateTxVar.Name}, {"{CLIENTS}", clientVar.Name}});
}
