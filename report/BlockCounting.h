#pragma once
// The body of ZRBOMC's counting: the report's price-file reader, the selection of block
// references and the count per block name. Names are matched in lower case on both sides.

#include <adslib.h>

class CalcPriceDialog;

// Replaces the dialog's records by those of the price file (quantity and total 0, the price
// as its leading number). False, with the alert "File %s could  not be opened", when the file
// does not open; the records are untouched then.
bool ReadReportPriceFile(CalcPriceDialog& dialog, const wchar_t* path);

// Asks the user for objects and keeps only block references. False when the selection was
// cancelled or empty; otherwise `set` is a selection set for acedSSFree.
bool SelectBlockReferences(ads_name set);

// Counts the selected references against the records: a name of the list adds one to its
// quantity and its price to its total; without a price file a new name gets a record of its
// own; with one, an unlisted name is not counted. False when the selection failed or an object
// did not open (with an alert); the selection set is released in every case.
bool CountBlockReferences(CalcPriceDialog& dialog);
