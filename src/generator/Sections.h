#pragma once

#include "model/QvVariant.h"
#include "model/QvWan.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using TScriptLines = std::vector<std::string>;
using TNameFill = std::pair<std::string_view, std::string_view>;

// Appends a fixed text as one script entry. The text is written as it reads in
// the script, with LF line ends and UTF-8 Chinese; each {TOKEN} named in fills
// is replaced by a variable name. The entry gets CR LF line ends and GBK bytes.
void AppendEntry(TScriptLines& lines, std::string_view text, std::initializer_list<TNameFill> fills = {});

// The sections after the variable header, in script order.
void AppendRouterPreparation(TScriptLines& lines, const TQvVariant& serverVar, const TQvWanList& wanLines);
void AppendPcqTypes(TScriptLines& lines, const TQvVariant& rateRxVar, const TQvVariant& rateTxVar,
                    const TQvVariant& clientVar);
void AppendMangleRules(TScriptLines& lines, const TQvWanList& wanLines, const TQvVariant& lanVar);
void AppendQueueTree(TScriptLines& lines, const TQvWanList& wanLines, const TQvVariant& lanVar);
