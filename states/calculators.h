#pragma once
// Every state calculator, by the name the state list gives it. Each works on
// one pass: it reads the pay record and the state options, writes sTax for
// one pay period, and writes its steps to the explanation.

namespace wm {

class Pass;

// One rate on the period's wages (percentage_rate.cpp)
void Arizona(Pass& p);
void Penn(Pass& p);
void MichiganTax(Pass& p);
void Illinois(Pass& p);
void IndianaTax(Pass& p);
void Massachusetts(Pass& p);
void Louisiana(Pass& p);

// Annual brackets, annual deductions (annualized.cpp)
void Alabama(Pass& p);
void Delaware(Pass& p);
void MaineTax(Pass& p);
void Minnesota(Pass& p);
void Mississippi(Pass& p);
void IowaTax(Pass& p);

// Per-period tables (per_period_tables.cpp)
void Colorado(Pass& p);
void HawaiiTax(Pass& p);
void NebraskaTax(Pass& p);
void Idaho(Pass& p);
void Missouri(Pass& p);

void Georgia(Pass& p);      // georgia.cpp
void CalifTax(Pass& p);     // california.cpp
void Connecticut(Pass& p);  // connecticut.cpp
void NewJersey(Pass& p);    // new_jersey.cpp

// Per-period brackets on the period's wages (per_period.cpp)
void NewMexico(Pass& p);
void RhodeIsland(Pass& p);
void Vermont(Pass& p);
void Kansas(Pass& p);

// Per-period tables with variants (per_period_variants.cpp)
void Utah(Pass& p);
void DCTax(Pass& p);
void Ohio(Pass& p);
void WestVirginia(Pass& p);

// Per-period tables with their own deductions (own_deductions.cpp)
void Oregon(Pass& p);
void NCarolina(Pass& p);
void NewYork(Pass& p);

void Maryland(Pass& p);  // maryland.cpp

// Annualized brackets (annual_brackets.cpp)
void Virginia(Pass& p);
void Kentucky(Pass& p);
void Arkansas(Pass& p);
void SCarolina(Pass& p);
void Wisconsin(Pass& p);

// oklahoma_north_dakota.cpp
void Oklahoma(Pass& p);
void NorthDakota(Pass& p);

}  // namespace wm
