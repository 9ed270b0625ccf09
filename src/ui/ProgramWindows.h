#pragma once

namespace qnetica {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;

// The program's eleven windows, created once at start-up; a window reaches the others here.
struct ProgramWindows {
    TForm1* Form1 = nullptr;    // main window
    TForm2* Form2 = nullptr;    // QS parameters
    TForm3* Form3 = nullptr;    // results
    TForm4* Form4 = nullptr;    // About
    TForm5* Form5 = nullptr;    // visual editor
    TForm6* Form6 = nullptr;    // value input
    TForm7* Form7 = nullptr;    // calculation parameters
    TForm8* Form8 = nullptr;    // progress
    TForm9* Form9 = nullptr;    // network chart
    TForm10* Form10 = nullptr;  // per-QS chart
    TForm11* Form11 = nullptr;  // model generator
};

}  // namespace qnetica
