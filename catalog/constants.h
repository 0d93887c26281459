// The values that the catalog refers to but does not hold: the service's host name, the two
// programs that the command lines start, the five referrer account numbers and the nine outfit
// tokens. All but the programs are ours to choose; the links are built from them character for
// character.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "catalog/model.h"

#ifndef VESTORA_SERVICE_HOST
#define VESTORA_SERVICE_HOST "show.vestora.example"
#endif

namespace vestora {

// A reserved example domain by default, so that a build points at no real site unless a
// packager sets VESTORA_SERVICE_HOST when configuring.
inline constexpr std::string_view kServiceHost = VESTORA_SERVICE_HOST;

constexpr bool IsCommandLineSafe(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c <= ' ' || c > '~' || c == '"' || c == '\'') return false;
  }
  return true;
}
static_assert(IsCommandLineSafe(kServiceHost),
              "the service host must be printable ASCII without spaces or quotes");

// The two Windows programs the command lines start: the shell, which hands an address to the
// default browser, and the browser at its fixed path.
inline constexpr std::string_view kShellProgram = "explorer.exe";
inline constexpr std::string_view kBrowserProgram =
    "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";

inline constexpr std::array<std::uint32_t, 5> kAccountNumbers = {
    271828182,  // AccountA
    57721566,   // AccountB
    141421356,  // AccountC
    17320508,   // AccountD
    223606797,  // AccountE
};

// The number held in a slot; Literal0 holds the digit 0.
constexpr std::uint32_t AccountNumber(ReferrerAccount slot) {
  return slot == ReferrerAccount::Literal0 ? 0 : kAccountNumbers[static_cast<int>(slot) - 1];
}

// Opaque outfit tokens, in the order of the OutfitToken enum. They are never decoded: sequences
// such as "%25" and "%2F" must reach the browser exactly as written here.
inline constexpr std::array<std::string_view, kOutfitTokenCount> kOutfitTokens = {
    // Form4Row2Column4: 702 characters
    "v3_1%3DTeePrJaTSGzXit%3D8qtsKcixkDgj2pEP%26VYe5AYk%2BbRaUkZ7CWyY/M7HeR2WGQJ4cBZe"
    "bad/BIvJfRGf%2FUD9eDg8FopNVjIvc5B/O4sIfHJh%26t7MAOqsT8fNxXBZS%2BUTBWviSKGKfDG6%2"
    "5woZz05YEWfmgSYTV@wMzHHiU%2BRcB0sY9%2Bwj1btsEeJkhTtG7%2FJLRuckdyyEAB25S%26GBEl07"
    "6IEnEC%3D6F2UwqgXT0%26RRc7fqiqL1@qDVE6JQ3HUPn2%26LvxttdAy19_IWBvDG%25SQnGyfjT3lj"
    "YZF44%2BYG6pmjE%3DTNIt82%26AEOoyB2oeLiSV@2tkmoNG4j0MdSy%25zsMT4TAv4GwN%26C0VHV5f"
    "a@VJ4cM0bpPw5hJm1FA/MED73Cre%3DG09NVjYU4oPyQ3%26LveOrCX0BqG872%3DACbaSydB%3D8hgp"
    "Hk@oPXwrDskWIP_y46nbwivPwpkmuO4Q%3Dmm7Tkx@8aJQHV02Fg5b%3DX20wmz9VRLv8H%3D7bVi4VV"
    "f1r08VWl%26kuMDH62k2%2F3rTy0Bdlh6t%2BkNJKWmVqLP3dAErc%3DgbD43FXc_tB4QhT@QtHakCRz"
    "IjSb@UtNdLhMEJ2iBJMW5@FUVLuX3RUbQ3Juv55T%25sKnN3uoyqaVQz%25Sbb",
    // Form4Row2Column5: 692 characters
    "v3_2%3DNyfxnmv0JB9bTH7W8_YHdW9iEWVzzllTc/rNhHXhfWRhy1Wf0S%3DIopECMwdJaoOiiwKGA@J"
    "dJbRD86ohjYMFnq@OBMC4q8F1hE_KHEW99JsjFtS9H2Gz/YPcfzU5ImA4LpnXG/wu9sVLlPeF0nb0Yy%"
    "26DcpOFi%26mQnH3Yi%26Z2PRLf1rY6pkJ%26uszbySMr%2BUdyqUL5WjGmLkJ%26iBKOxA9KA0FW%2F"
    "au4MOte4S%2FalGCCugz%2BmXEUjkpReDdybNY/vFQ86KpnLjD%3DIXW3tqUuyDdaRGe7ae%2B3gRua8"
    "7FmmWBk_qhlPcfoy0MPhLM%26HCnYFr%2F5QdIPheWdrgw9%2BmG6U64Z8V0I3etCR%3DAIaS8W%26TJ"
    "vfYkL@6NegF2dea7bV%2F2DzD9iFc1%2FpoiMLWE/WQ3qMx/LhcZXjQPy1N7fb0Ln/rcVRb6vm0cxnyJ"
    "%25f1Je6wmq@Aw0rSyifkD@26ByucDSB8QOKKd5%2698Gef8rNM@yFJdj9QRKLLc%2BHsTfprC%2FnrZ"
    "Lh0A@VfCydoM7BFYCsC1b0X_M5js4aR5KaKiiWSDZh%2FPHsWSUK7BdDQ%26mMBteiQiKOz98PBD_Fmo"
    "EMqn%2Fl3N2usc/K5pcn2VhZ_iQy6pNUZCID%2FX9XsBfnSqOKnR",
    // Form5Row1Column4: 759 characters
    "v3_3%3D9M7ZLxL@1jP8iqAA%2FjBxIoExOtSVkx7H@XsPZwF2MI7_8yRatoa2Kspq0V/vnZuIWUoX9MM"
    "P%2B028dHwQvpyG4rhbmY%26pW9xqRr6zUiSWwYbV/ZBul0YSu4cTZ0Xa%250JiTOoEbAgZG2fiA%2FY"
    "CnpooiCX@ykTNmv%267sq8jebJCniu%25N90BaAIM3MKXY%3DoKp6vtuqxri186mBMi_DL5eJ2I25vA7"
    "Y5a3CM/BrpfNEx3yxs17t8oh%2Fia4DSPbATv%25IXOjxkfQcVSKl4tkEz%2BOQrtETrFhLObClcs%2B"
    "mpG1eqibjrW0PxdR/kkU5Sn@qeQIDvPl05rQqA%3DnejvAANbbdwC6Gfqx%2BoCBWxhCzCRq@tCuEHB2"
    "tGGWIs%2BhzV4oEhvO%2FP4Kwr4eoNbiXQMy2Tq%26leEVsA6GlwwmrHq@5jRfrHex9IT2%2FkeH0q6J"
    "XX0UZcbc%2FjMJhXfrQSLQBE4XRAa@WKSNTOq7jVULD9L4Z%2FQsh1owXYO/er9YIJDWXV3O%3DVyzOZ"
    "FPefLj8ZC%26SXMSgWnVDNZAzuvA_CsP7oFPEB9FDCz@pBUDwFsvp3eFu1/iGL8MM1WNX8%2BFTNfvGW"
    "VRYdY5TjOL/waad1wZwdDfFPC%3DU83rPa92W6M/ZLpQAG4B0KS4@LxxxJZ6%26jNIRtjLckpjOGhvFF"
    "_YHVB1TUoFTHCII4R5@xUdkxC9zG9W1Wd_H8g6q",
    // Form5Row1Column5: 755 characters
    "v3_4%3DbWeYTuUkwkpIzRx%2FKnp7eNl7%26Dj862VMlmzQJXPBD/gBS7QbKBhN87hQj%3DazCsW5bHe"
    "uWdDhJZ9@6Z9koR3HcSYqhYhUSe%25TtzVxUERa2pKuG%2BtPRMYAV8%25lO00nP%3D7Ssc2t3T6a%2B"
    "JcClRtuHasBUwpoVLh%25zE1UEO5HHo%3DSVRnCprZlkmfIsP08%2FrhOOqAcU95Vz134tfr%26XLV3k"
    "pYc82xO@OwDmik9wSqW82/x4hovDWNivhg2OoF%2FTX13rXdRLHTu%25Q8o1dIwYEQwdh6C@iDgX9BT3"
    "o9L%2B3wXw1OBzKePGpEAM%2BHVfP8K5ooh9kYx%2FRTreJGipj6pk43%2BDTvRERZJFOX%26mlJn1pa"
    "NdN04Qm/Jo1QdIzy0%2BOGnuUzNO%2F5ED1HlVwvluJP2_KzGte8y7aq%3DfP9V2fGJ0mB8QXfXf%257"
    "vw93SryTafBfDimF@IcgHG5Xd%267ndOuRtzLv6lOpI%2FhJq9jPC2_bqf0YqQuCMDGx2%3DATyW1QN%"
    "2BAzg3KqKD%25Y9MgOMEk7%25d9SZPmLvt0uyjDGtk%3D6snsZYL@VQZw4jpASaS%26XuWHaL%3DAbqb"
    "cXPPPCQNU/q8saInIFjePLyAJSbc%25O8FGAGARq41a%26k5keW74wtIchg1%2FMp8hs7JMe@I1Oirek"
    "w6@Rw17MiRMHMeT6sKQJd%3DjjdphjnHLiB",
    // Form6Row1Column3: 774 characters
    "v3_5%3DisI08kvkiMcIz@JUWxG22iKItibdG1@KJ3ym8tXgh5uEEmU6d%25WkLu7csaNvrBL9%26D1pH"
    "sMj%2BYz57Px_k7HMmUI%2Fzp1j3Y7VEQeoYJ%3DdIe7ZGf463kI6p4%2BpJYLj0rY@lFbz6Ywt3Oo7W"
    "1m@moKUQUZy%2FvPB0OUIkSGk5RMYle%25iusI9JZ3K4o%2BnFsRXrdqsfOX9d_USJ6DYuns%26bFryD"
    "bM/GySRFbDNg8BB9SpB_GXUP3tkU/LvWmeqV1y%3D8KNUJhnYWgJfuTY%2BjfFp8HtZaGvQoOtMp%2F0"
    "92lVVrjX6Brxsb7H_YzP1cLF0HXtK6%26HFmXBjk5qp@zov0bmUICZ60orRs%2BjlnsEodPVIX%2FIJF"
    "WP8k6o3j8jzO%2F63fvWDr%26wwD0xS_8ExpK6FaO_9q0Clf%26IgV1qiv2W47hz%26lwQmxT3hsYGaa"
    "PCqz/QuI4VfgMwWwPeA1/qGv3uZmVVrb7Dbh/Pi2WL3cYA%2BesTxw3MsZwYPrtsXu%2538dwK5_Tcu3"
    "EsgkytpJOV%25PziGEiUbIPFflCtm5%25QvizJNFXD%2BNZLHb1%3DoFo52kMTBLcM_ndJCNnH72prmw"
    "%26URM8m8@yFEkHlbyXGxzw902%2FiA1JbVcRTsRbUON1%25RCNJK4_WTsQ0qBI9S%26a7E8PgXZ@Tx3"
    "4wk%2BnGqIIHS/RucuJszUl7u%2FAhwJyb0jUL5FJfml2g%2FZbO2Y",
    // Form6Row1Column4: 833 characters
    "v3_6%3DzvXJwRB8ZjQPDg0i%2FqujDfAzciY1B3nWP%3DO7SnL8Znjb8E%2BhWnxtzi5EYdDy5msu_t6"
    "yfJ0dQ0voyqT_7go8ZgLFuzHrvxTl7/N36jOyz7AF/E522RKHPbAwLULUO%2B14vdM1K7MAHL%26S8iA"
    "UQ%26zPiupofMc5aBz@fYnrF8PUIzUk9I%2BS1lBy77a%25O7zUznJ2b@QfMNVAdPBou5kI%2BW0wkLE"
    "Mel7SCFmhotc%25EwqboBygb@o6JvN8%2BY0ReyXA3bFOr7_DxhISXmvx@n1mw5ICb_ETVFKJYIgOo_0"
    "B1D3E/jLueoR5kwOsr0L9T/YIPjkmv4bO_GXK1ZnzPuhE6r%3DFxH42Dg@pNyRJSFWV3hBG%2BJe1V40"
    "EPBq/UAi4bB8kP_IGktYXAOHPiy/E9i8BQG7BEMD4e%2BVdwofEKMHu5TDjewee%26OrB66W6Mx9nq%2"
    "5U3PqWB/FBUhSEFMvl96njF5_tiYuGtS2u/7BHJ8BmCPkrqx7rS_rXGCTGExz0N%3DLf5XYJ0Snxi%3D"
    "7W2DASaD2Ya%2BnPvFC5uhp6VS%26v8xq8S9/vZC4cWH0wfXwBq@Js9zSfFw%26xEglh9x7_FQ9O1kQM"
    "D%26H4sVDh/lFNjUCw1%25TbE0XUFwxLoWCW%2BQFHMWujJxU6YoxKTD%2BSUzftmU0bTOro5eOKr%3D"
    "pgNNnxGIEdb1RbyVQ%2Br4t5Ep5s2UMNpy1v63%26B4niv2SGlorjXq8h/Vc2yDDGYlGBpjlm@5DbAXt"
    "Cujdm_BKHhiDl%3DRGViWJRfJtVm7Xlll",
    // Form6Row2Column1: 717 characters
    "v3_7%3DavBGd5DWkaV1c6k%2BrZiuaN8p4J%2FodGo13ra%2Bwg1q4b%2BoPE5rjz4ncQlj_E7cyh8Hv"
    "Rt/rMKFEE4bA%2BM6gLGssQMQD645ajLD@cdkCpEAPbLfL_nNdWK4GA%3DhQAf599%2BnPns5GdMU4o/"
    "GRzAAqKulnMNA9MK%3DOE10KONrb6AT6v@oSlDSHOJkz1vWcRl%25cvzJWGAKDfy@ADgSsECMjmP3yKg"
    "nMs_W7Ix37c3GR4MO%253AOzx0yoyHy/VLo6TUhz/U68Qr2B984jMoy%26DufkrtJQ2%2FZA23yNoR/x"
    "AVyqvYd7yj6RWJSF/a4fU2a%25X5fqxGIb6iO1P8@ydBthqDL_mZOFt1LMc40SBiDotw%26fgbU3pcSF"
    "U86x3aUa/nZQfeafT%2BMAi0VfZaXFat%3D21fsHiXsEBSw_23EFvE%3DNw1Ltb@5ABlwGh712%2FxBM"
    "h9BDlU%26MfmePSX6zv9RooQI_ZCmJdgNzjMT4Ma2hfq%2Bw4Xxt0U%2BClj2vXHZshrD0Vr55E%2FLY"
    "U4COekEJnoHU9q%25kIi9KJYHgMBbcKcVdR%25SfewTYlam9gYW_J6vM4xB6RHSLN%256bYIjD6fSVV0"
    "9Cp@5ZTBvu4jCj_0dGFUWyKxtj_g2uUyIb2qUvOkWLT3v%2Bl5HnphEW8vNPqeRGaV_kLUwJnwi7X",
    // Form6Row2Column2: 780 characters
    "v3_8%3D2se6RMZo3ucYrDp7Dd%2FQAR9ffwLUFhw%25YHngGGkEvqM%3DuWnbADi5qbtEtQ4/H7ugj8%"
    "25U5UPzNTog/MZFIE8U3b%2B3aLVB4jkAR0zHV%3D1vIGCq%26lz7dFoOiD0NnGRqSQi/otUNeEMTCod"
    "d8k%2FjF90lHuUsXI3KlZB%2BZXE6296@4Whqbr30rmsYxlMle4%25Tr40iiYV0DBY%2Fqvg0fqcjCMC"
    "AzC6tB/PlB4JV9k7vnuJ%2BbmxfyFSAVwbGc%2FS1uYkrSkBye2Nztfl%3Dk5PpHB8mngmKmkdcxP/W1"
    "uXXLcmdeUx8SFSbb%2FOB5kv7a%2F1z8AIg4HqXgoUdD%2BTCgkJR_NOtHtgbwhNpwoByd%25ZFmEFK9"
    "LE8Y%3DBWqidvvSISn%3DzzWcOeGRDa7ZN7tRQ%2BDNqt2v4b%3DiASrwyQKw7/eUcOAQWdwjBr0UV%2"
    "5UEcR8lLrFrrVN0x76%26xRUir2%2BGL5q1QFyZK%2FuPGQYPzKyDddZEC%25dHO93S/4EiPFFngYhZ5"
    "mJxKWz%3DB93OUG1EUHlKmc_xuSNXkuLW%25EjV78j9H1zd@pw360Scya56Bmk%2BlyS9WvDiOOlTZfw"
    "%3DLZDM2ErFXCbA7D%3DXknEN7%3DmXhRd0JEpY%2Bv7nykf9IoFqIVwgDE%3DesF9ilI%2BpBkLOpke"
    "jyVG%26hay7lj%25oXWkIycHUdHFM1jgA9/MieF1xrjN_h6PtVu%2BQROjk8",
    // Form6Row2Column3: 685 characters
    "v3_9%3D1FCyEqQrVJgWP1y%2FWFWSV77OA6S%2BQ8oZpvJrFrOuIWqEW_vM4Eq4rvekA%2BOAHErcbwM"
    "%3Dm0RvJKrjFCk9yM0_nOgOiM%25wIG5FCED9Rr5%3DEcoEO6vMyf%3DFzimosZ9i%26JSfcFsIkQ%3D"
    "961tyNCTPz%26GpEDXR1IFXuBoScEG%26UQrtrPpLGgvS@rFrtkaW%2BXm2tjg4kSwAwlc%3Dsx4F83n"
    "BY4PfVqU9T@mjCjZ3IIukD%26QcGD0fKlMOZs%3DYwhWfe9DkQH0x4yW/Mt43a23T2GQlWX%3DWbZ4vv"
    "Yoz%3D95jtTCbqtE1/xoUwBQVRPbivj5lUBp%26nIvpjMO4LvBcPjB_9PJ6OYYdU_XS7RYWyAES@H3d3"
    "3kPtVlYqn/3TkvWE%3Db9ZuB2T8XLF%3DcOL2PLnX8Y%2BE1SpiQpFggcKw5%2FPCvOFfqA28CybqXF%"
    "2B8UAD0t%25zwRShz7trLU%25jZSfTV0aWc@hOrZU6UCEM%2BkoCjTFICfCQuk4q%251y76WoFkPizvD"
    "m_MQwweXLGovEz0uR%25E2j32N5jJRDxA%265tCSm1Ca%2BAna5aVOyQkI7QYM7%26e6PdkRAWyJ_sxr"
    "Z9VJmSEM9OOI9qb%2BxA9sJ73ZSaq%266mhsGP25GGRK@",
};

constexpr std::string_view OutfitTokenText(OutfitToken token) {
  return kOutfitTokens[static_cast<int>(token)];
}

}  // namespace vestora
