#include "pricelist/PriceFile.h"

#include <cwchar>
#include <memory>

int SplitField(const wchar_t*& position, wchar_t* out, wchar_t delimiter, std::size_t capacity) {
    std::size_t stored = 0;
    while (*position != delimiter && *position != L'\0' && *position != L'\n') {
        if (stored + 1 < capacity)
            out[stored++] = *position;
        ++position;
    }
    if (capacity > 0)
        out[stored] = L'\0';
    if (*position != delimiter)
        return 0;
    ++position;
    return 1;
}

bool SplitPriceLine(const wchar_t* line, PriceFields& fields) {
    // SplitField ends every field it takes, so only the fields not taken need emptying.
    fields.price[0] = L'\0';
    fields.description[0] = L'\0';
    const wchar_t* position = line;
    if (SplitField(position, fields.name, kPriceFieldDelimiter) &&
        SplitField(position, fields.price, kPriceFieldDelimiter))
        SplitField(position, fields.description, kPriceFieldDelimiter);
    return fields.name[0] != L'\0' && fields.price[0] != L'\0';
}

bool ParsePriceLine(const wchar_t* line, PriceRecord& record) {
    auto fields = std::make_unique<PriceFields>();
    if (!SplitPriceLine(line, *fields))
        return false;
    record = PriceRecord{fields->name, fields->price, fields->description};
    return true;
}

bool PriceLineReader::Next(PriceFields& fields) {
    for (;;) {
        line_[0] = L'\0';
        fgetws(line_, kPriceLineBufferSize, file_);
        // The end test follows each read, so a last line without a line end, which meets the
        // end of the file while it is read, is never used.
        if (feof(file_) || ferror(file_))
            return false;
        const std::size_t length = std::wcslen(line_);
        if (length > 0)
            line_[length - 1] = L'\0';
        if (SplitPriceLine(line_, fields))
            return true;
    }
}

void ReadPriceRecords(FILE* file, std::vector<PriceRecord>& records) {
    PriceLineReader reader(file);
    auto fields = std::make_unique<PriceFields>();
    while (reader.Next(*fields))
        records.push_back(PriceRecord{fields->name, fields->price, fields->description});
}

CString FileOpenFailedMessage(const wchar_t* path) {
    CString message;
    message.Format(L"File %s could  not be opened", path);
    return message;
}

int ReadPriceList(const wchar_t* path, std::vector<PriceRecord>& records, CString* message) {
    FILE* file = _wfopen(path, L"r");
    if (!file) {
        if (message)
            *message = FileOpenFailedMessage(path);
        return 0;
    }
    records.clear();
    ReadPriceRecords(file, records);
    fclose(file);
    return 1;
}

namespace {

bool IsBlankRow(const PriceRecord& row) {
    return row.name.IsEmpty() && row.price.IsEmpty() && row.description.IsEmpty();
}

// Finds the first character a price file cannot hold, in row order and then column order.
bool FindUnstorableCharacter(const std::vector<PriceRecord>& rows, PriceSaveError& found) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (IsBlankRow(rows[r]))
            continue;
        const CString* texts[] = {&rows[r].name, &rows[r].price, &rows[r].description};
        for (int column = 0; column < 3; ++column) {
            for (const wchar_t* p = texts[column]->GetString(); *p; ++p) {
                if (static_cast<unsigned>(*p) > 0xFF) {
                    found.row = static_cast<int>(r);
                    found.column = column;
                    found.character = *p;
                    return true;
                }
            }
        }
    }
    return false;
}

} // namespace

int WritePriceList(const wchar_t* path, const std::vector<PriceRecord>& rows,
                   PriceSaveError* error) {
    PriceSaveError problem;
    if (FindUnstorableCharacter(rows, problem)) {
        static const wchar_t* const columnTitles[] = {L"Block name", L"Price", L"Description"};
        problem.message.Format(L"Row %i, %s: the character \"%c\" (U+%04X) cannot be stored in a "
                               L"price file. Nothing was saved.",
                               problem.row + 1, columnTitles[problem.column], problem.character,
                               static_cast<unsigned>(problem.character));
        if (error)
            *error = problem;
        return 0;
    }
    FILE* file = _wfopen(path, L"w");
    if (!file) {
        problem.message = FileOpenFailedMessage(path);
        if (error)
            *error = problem;
        return 0;
    }
    for (const PriceRecord& row : rows)
        if (!IsBlankRow(row))
            fwprintf(file, L"%s|%s|%s\n", row.name, row.price, row.description);
    // The new file takes the previous one's place only when all of it was written.
    if (fclose(file) != 0) {
        problem.message.Format(L"File %s could not be written. The previous file is unchanged.",
                               path);
        if (error)
            *error = problem;
        return 0;
    }
    return 1;
}
