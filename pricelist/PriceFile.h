#pragma once
// The price file (extension "prc"): one record per line, "name|price|description", one byte
// per character, CR LF line ends. Read line by line in reads of at most 999 characters; the
// last character of every read is taken to be its line feed and dropped, and a last line
// without a line end is not used. Lines without a name or a price are skipped.

#include <cstddef>
#include <vector>

#include <afx.h>

struct PriceRecord {
    CString name;
    CString price; // the text as typed, not normalised
    CString description;
};

constexpr wchar_t kPriceFieldDelimiter = L'|';
constexpr int kPriceLineBufferSize = 1000; // a read takes at most 999 characters
constexpr std::size_t kPriceFieldBufferSize = 1002;

// Copies the field at `position` into `out` up to the delimiter, the end of the text or a line
// feed, and terminates it. At the delimiter, moves past it and answers 1; otherwise answers 0
// with `position` on the stopping character. A field longer than the buffer is cut to fit.
int SplitField(const wchar_t*& position, wchar_t* out, wchar_t delimiter,
               std::size_t capacity = kPriceFieldBufferSize);

// The three fields of one line, each in a buffer of its own.
struct PriceFields {
    wchar_t name[kPriceFieldBufferSize];
    wchar_t price[kPriceFieldBufferSize];
    wchar_t description[kPriceFieldBufferSize];
};

// Splits one line (its line feed already dropped) into its fields: the second field is taken
// only after a first bar, the third only after a second bar, and anything after a third bar is
// ignored; a field not taken is empty. False when the name or the price is empty.
bool SplitPriceLine(const wchar_t* line, PriceFields& fields);
bool ParsePriceLine(const wchar_t* line, PriceRecord& record);

// The kept records of an open price file, one at a time.
class PriceLineReader {
public:
    explicit PriceLineReader(FILE* file) : file_(file) {}
    // The next line with a name and a price; false at the end of the file.
    bool Next(PriceFields& fields);

private:
    FILE* file_;
    wchar_t line_[kPriceLineBufferSize];
};

// Reads the lines of an open price file and appends every kept record.
void ReadPriceRecords(FILE* file, std::vector<PriceRecord>& records);

// "File %s could  not be opened" (two blanks) with the path: the alert for a price file that
// cannot be opened for reading or writing.
CString FileOpenFailedMessage(const wchar_t* path);

// Reads a price file into `records`, replacing what they held. Answers 1 when read; 0 when the
// file could not be opened, with `records` untouched and `message` (when given) set.
int ReadPriceList(const wchar_t* path, std::vector<PriceRecord>& records,
                  CString* message = nullptr);

// Why a price list was not saved.
struct PriceSaveError {
    int row = -1;    // the row holding a character that cannot be stored, else -1
    int column = -1; // 0 name, 1 price, 2 description
    wchar_t character = 0;
    CString message; // the text to show the user
};

// Writes the rows as "%s|%s|%s\n", skipping rows whose three texts are all empty. A character
// above code unit 255 refuses the whole save before anything is written. A file that does not
// open for writing gives "File %s could  not be opened"; one that does keeps its previous
// content unless all was written. Answers 1 when saved, 0 otherwise (with `error` set).
int WritePriceList(const wchar_t* path, const std::vector<PriceRecord>& rows,
                   PriceSaveError* error = nullptr);
