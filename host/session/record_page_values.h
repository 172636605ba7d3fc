// What a helper's pages would show, read from its stored record instead of its pages: the
// value of each labelled control, keyed and written as shownValues reads the real pages.
// Comparing a selection's helpers this way costs microseconds a helper, where putting up
// each one's pages costs milliseconds, and it changes nothing in any helper.
#pragma once
#include <set>
#include <vector>
#include "class_pages.h"
#include "helper_chunks.h"
#include "panel/page_change.h"

// The class page the plug-in puts up for the record: by its classname's place in the
// catalogue, and for a name outside it that of the light the loader made it as.
PageClass shownClassPage(const HelperRecord& record);

// The title of the plug-in's page for a class page ("Light Params"), null for Other.
const char* classPageTitle(PageClass page);

// The values of the helper's three pages (Parameters, its class page, Map Parameters).
PageValues recordPageValues(const HelperRecord& record);

// The controls of first's pages whose value the pages of one of others show otherwise; a
// control their pages lack does not count.
std::set<ControlKey> controlsThatDiffer(const HelperRecord& first,
                                        const std::vector<HelperRecord>& others);
