#pragma once
// The world top ten's errands: opens TFormServerRead and answers its table and page choices
// through the client (the record tables with their count and the rows around the player, the
// rating top ten) or from the club files. The rows around the player are found by the passport's
// nick and city, or by the account's for the account table.

#include <optional>
#include <string>

#include "core/online/operations.h"
#include "core/records/club_file.h"
#include "dialogs/server_read_dialog.h"
#include "net/online_client.h"
#include "table/picture_store.h"

namespace orvala::app {

struct WorldViewer {
    std::string passportNick, passportCity;  // Windows-1251
    std::optional<online::Account> account;  // logged in
    std::optional<ClubFile> local, network;  // the club files, when they read
};

dialogs::TFormServerRead* openWorldTopTen(QWidget* parent, net::OnlineClient& client,
                                          const table::PictureSource& pictures, WorldViewer viewer);

// The lines of a record table's rows: the Windows table with the flag of its country code, the
// other tables with the country's name after the city.
std::vector<dialogs::WorldLine> recordLines(const std::vector<online::RecordRow>& rows,
                                            const table::PictureSource& pictures);
std::vector<dialogs::WorldLine> ratingLines(const std::vector<online::TopRow>& rows,
                                            const table::PictureSource& pictures);

}  // namespace orvala::app
