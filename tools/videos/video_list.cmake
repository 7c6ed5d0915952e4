# Every video the programs can play, as a path under the program folder.
set(comment_videos
  Actualbut_NoBudget bad good metbudget missedbudget
  wellbelowbudget_belowytd belowbudget_belowytd belowbudget_meetytd belowbudget_upytd wellbelowbudget_upytd
  metbudget_belowytd metbudget_metytd metbudget_upytd
  upbudget_belowytd upbudget_metYTD upbudget_upytd wellupbudget_upytd
  KPi_comments_nodata KPIComments_metbudget KPIcomments_abovebudget KPIComments_downbudget
  Success_comments obstacles_comments SalesMark_comments Financial_comments innovation_comments Systems_comments
  Welcome_ontime Welcome_onemonthlate welcome_2monthslate Welcome_3monthslate Welcome_4monthslate
  welcome_over5monthslate)
set(expense_videos
  Expense_belowbudget Expense_metbudget Expense_upbudget
  Expense_metbudget_comment_silent Expense_upbudget_coment_silent Expense_belowbudget_comment_silent)
set(help_videos datmodule_help SETUP_HELP ReportModule_Help BulkEntryModule_help "Formating data entry cells")
# The coach's topics: the list of the video window shows these names.
set(topic_videos "Setting up your KPIs" "Entering monthly results" "Reading your reports" "Planning the next month")

# The container's sample items, beside a guide and a checklist in the same group.
set(container_videos "Welcome to your resources" "Keeping notes beside a video")

set(video_files Templates/intro.wmv)
foreach(folder Commentvideo SilentVideo)
  foreach(name IN LISTS comment_videos)
    list(APPEND video_files "${folder}/${name}.wmv")
  endforeach()
  foreach(name IN LISTS expense_videos)
    list(APPEND video_files "${folder}/expense/${name}.wmv")
  endforeach()
endforeach()
foreach(name IN LISTS help_videos)
  list(APPEND video_files "help/${name}.wmv")
endforeach()
foreach(name IN LISTS topic_videos)
  list(APPEND video_files "Templates/videos/${name}.wmv")
endforeach()
foreach(name IN LISTS container_videos)
  list(APPEND video_files "Templates/Getting Started/${name}.wmv")
endforeach()
