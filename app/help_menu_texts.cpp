#include "app/help_menu_texts.h"

#include "report/help_text.h"

namespace tavelmark::app {

std::vector<std::string> ReferencesLines() {
    return {
        "【重要参考文献】",
        "    1、中国医学百科全书 医学统计学",
        "    2、医用数理统计方法(第三版)，人民卫生出版社，1988",
        "    3、医用统计方法，医学院校教材，2000",
        "    4、定量药理学，人民卫生出版社，1987",
        "    5、Tavelmark程序代码手册，内部资料",
        "    6、新药临床研究设计与统计分析，1999",
    };
}

std::string ReferencesText() { return report::JoinHelpLines(ReferencesLines()); }

std::vector<std::string> AboutParagraphs() {
    return {
        "Tavelmark ver1.0 药理学统计工作台：半数有效量(正规Bliss法)、智能化两组均数分析、"
        "智能化两组有效率分析和LDk两两对比。",
        "本软件受著作权法保护。版权归Tavelmark开发组所有，未经许可，不得复制、修改或发布本软件的任何部分。",
        "本软件的计算结果仅供科研与教学参考；据此作出的医疗或药政决定，应由专业人员复核。",
        "开发组不对因使用本软件造成的任何直接或间接损失承担责任。使用方法与常见问题见“帮助”菜单中的“Quorin帮助主题”。",
    };
}

std::string AboutText() {
    std::string text;
    for (const std::string& paragraph : AboutParagraphs()) {
        if (!text.empty()) text += "\r\r";
        text += paragraph;
    }
    return text;
}

}  // namespace tavelmark::app
