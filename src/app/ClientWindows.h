#pragma once

class TApplication;
class TForm1;
class TForm3;

// The program's two windows, created in the application in the order the program needs (the
// main window first: it is the main form) and introduced to each other. The one place that
// knows them as Form1 and Form3.
class ClientWindows {
public:
    explicit ClientWindows(TApplication& application);

    TForm1* const Form1;
    TForm3* const Form3;
};
