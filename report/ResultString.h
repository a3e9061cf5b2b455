#pragma once
// One line of the bill of materials: a block name with its unit price, how many references
// were counted and their line total (the price added once per reference).

#include <afx.h>

struct ResultString {
    CString name;
    double price = 0.0;
    int quantity = 0;
    CString description;
    double total = 0.0;

    ResultString() = default;
    // A record of the price file: nothing counted yet.
    ResultString(const CString& name, double price, const CString& description)
        : name(name), price(price), description(description) {}
    ResultString(const CString& name, double price, int quantity, const CString& description,
                 double total)
        : name(name), price(price), quantity(quantity), description(description), total(total) {}
};
