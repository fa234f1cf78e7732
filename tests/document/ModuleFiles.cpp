#include "ModuleFiles.h"

std::string ModuleFiles::Valid(std::string_view title) {
    std::string text = "1\r\n";
    text.append(title).append("\r\n0\r\n2\r\n4\r\nNULL\r\nnone.tbl\r\nValue\r\n0\r\n1\r\n----\r\nnone\r\n");
    return text;
}

std::string ModuleFiles::WrongVersion() {
    return "2\r\nBroken\r\n0\r\n2\r\n4\r\nNULL\r\nnone.tbl\r\n";
}
