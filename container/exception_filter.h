#pragma once
// The container's report of a hardware fault: the program ends, and a fresh
// process of the program, started by the fault, tells the user its name.
#include <QString>

#include <cstdint>

namespace ks::container {

// The name of an exception code; "Unknown (&H<8 hex digits>)" for any other.
QString GetExceptionText(std::uint32_t code);

// From now on a fault starts this program again as its reporter and ends the process.
void InstallExceptionFilter();

// "Error " and the fault's name, OK only, under the application title.
void MyExceptionFilter(std::uint32_t code);

// In a process started as a fault's reporter: reports it and returns true;
// otherwise false.
bool ReportFaultIfAsked();

}
