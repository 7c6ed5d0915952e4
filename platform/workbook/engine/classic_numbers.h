#pragma once
// For the length of a scope, this thread's printf and strtod write and read numbers the C
// way (a point before the decimals), whatever locale the program runs under; the other
// categories of the locale stay. For libraries that format numbers with printf.
#include <locale.h>

namespace ks::workbook {

class ClassicNumbers {
public:
    ClassicNumbers()
    {
        locale_t base = duplocale(LC_GLOBAL_LOCALE);
        if (base && !(classic_ = newlocale(LC_NUMERIC_MASK, "C", base)))
            freelocale(base);
        if (classic_)
            previous_ = uselocale(classic_);
    }
    ~ClassicNumbers()
    {
        if (!classic_)
            return;
        uselocale(previous_);
        freelocale(classic_);
    }
    ClassicNumbers(const ClassicNumbers&) = delete;
    ClassicNumbers& operator=(const ClassicNumbers&) = delete;

private:
    locale_t classic_ = nullptr;
    locale_t previous_ = nullptr;
};

}
